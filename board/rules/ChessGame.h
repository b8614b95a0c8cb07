// The board's state, the rules of chess and the record of the game, without
// any painting. The widget derives from this class and overrides the view and
// computer-play hooks; headless, the hooks do nothing and the rules run alone.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "board/types/ChessTypes.h"
#include "platform/core/ThreadPriority.h"

class TChessGame;

// Events: optional callables with the board as Sender first. A reference
// parameter carries an answer back to the board.
using TNotifyEvent = std::function<void(TChessGame& sender)>;
using TMoveEvent = std::function<void(TChessGame& sender, Square oldSq, Square newSq)>;
using TCaptureEvent =
    std::function<void(TChessGame& sender, Square oldSq, Square newSq, char capturedPiece)>;
using TOneSquareEvent = std::function<void(TChessGame& sender, Square square)>;
using TPromotionEvent =
    std::function<void(TChessGame& sender, Square oldSq, Square newSq, char& newPiece)>;
using TThinkEvent = std::function<void(TChessGame& sender, Square& oldSq, Square& newSq)>;

// Board sides that carry coordinate labels.
enum DisplayCoord : std::uint8_t { West, North, East, South };
using CoordSet = std::uint8_t;
inline constexpr CoordSet CoordBit(DisplayCoord c) {
    return CoordSet(1u << c);
}

// Colours are 0x00BBGGRR.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;

// One recorded position: the position before a half-move and that half-move.
struct MoveInfo {
    std::array<char, SquareCount> Position{};  // all NUL until written
    CastleSet Castling = 0;
    Square OldSq = None;
    Square NewSq = None;
    Square EnPassant = None;

    bool Written() const { return Position[0] != '\0'; }
};

class TChessGame {
public:
    TChessGame();
    virtual ~TChessGame() = default;
    TChessGame(const TChessGame&) = delete;
    TChessGame& operator=(const TChessGame&) = delete;

    // --- Squares and pieces -------------------------------------------------
    static int FileOf(Square sq) { return (sq - 1) % 8 + 1; }
    static int RankOf(Square sq) { return 8 - (sq - 1) / 8; }
    static Square SquareFromFileRank(int file, int rank);
    // 1 for a White piece, 0 for a Black piece, -1 for anything else.
    int PieceSide(Square sq) const { return SideOfLetter(Board_[sq]); }
    static int SideOfLetter(char c);

    // The 66-character board: [0] sentinel, [1..64] squares, [65] NUL.
    const char* Board() const { return Board_; }
    char PieceAt(Square sq) const { return Board_[sq]; }

    // --- Position and game --------------------------------------------------
    std::string Position() const;
    void SetPosition(std::string_view value);
    void ResetGame();
    void NewGame();

    // --- Game state -----------------------------------------------------------
    bool WhiteToMove() const { return WhiteToMove_; }
    void SetWhiteToMove(bool value);
    int CurrentMove() const { return CurrentMove_; }
    void SetCurrentMove(int) {}  // read-only: assignments are ignored
    CastleSet CastlingAllowed() const { return CastlingAllowed_; }
    void SetCastlingAllowed(CastleSet value) { CastlingAllowed_ = value; }
    Square EnPassant() const { return EnPassant_; }
    void SetEnPassant(Square value);
    char PromotionPiece() const { return PromotionPiece_; }
    // Only "q", "r", "b" and "n" (either case) are taken.
    void SetPromotionPiece(char value);

    int FirstMove() const { return FirstMove_; }
    bool FirstWhiteToMove() const { return FirstWhiteToMove_; }
    int LastMove() const { return LastMove_; }
    bool LastWhiteToMove() const { return LastWhiteToMove_; }
    // The record entry for move number n and side column s (0 White, 1 Black);
    // an entry never written reads as empty.
    const MoveInfo& RecordEntry(int n, int s) const;

    bool Halted() const { return Halted_; }
    bool GameOver() const { return GameOver_; }
    Square DragFromSq() const { return DragFromSq_; }
    Square DragToSq() const { return DragToSq_; }

    // --- Rules ------------------------------------------------------------------
    bool IsLegalMove(Square oldSq, Square newSq) const;
    bool ValidPawnMove(Square oldSq, Square newSq) const;
    bool ValidKnightMove(Square oldSq, Square newSq) const;
    bool ValidBishopMove(Square oldSq, Square newSq) const;
    bool ValidRookMove(Square oldSq, Square newSq) const;
    bool ValidQueenMove(Square oldSq, Square newSq) const;
    bool ValidKingMove(Square oldSq, Square newSq) const;
    // After the piece on oldSq alone moves to newSq, is that king attacked?
    // oldSq = newSq asks about the position as it stands.
    bool WhiteKingAttacked(Square oldSq, Square newSq) const;
    bool BlackKingAttacked(Square oldSq, Square newSq) const;
    bool HasLegalMove() const;
    bool IsThreefoldRepetition() const;

    // --- Making moves -------------------------------------------------------------
    bool MakeMove(Square oldSq, Square newSq);
    bool UserMove(Square oldSq, Square newSq);
    void PromotePawn(Square sq);

    // --- The record -------------------------------------------------------------
    bool GotoMove(int moveNumber, bool whiteToMove);
    bool TakeBackMove();
    bool ForwardMove();
    // Appends one line per recorded half-move; the list is not cleared first.
    void GetMoveList(std::vector<std::string>& lines) const;

    // --- Settings: stored here, given their effect by the view and computer play
    bool AnimateMoves() const { return AnimateMoves_; }
    void SetAnimateMoves(bool value) { AnimateMoves_ = value; }
    int AnimationDelay() const { return AnimationDelay_; }
    void SetAnimationDelay(int value) { AnimationDelay_ = value; }
    bool BoardLines() const { return BoardLines_; }
    void SetBoardLines(bool value);
    TColor BorderColor() const { return BorderColor_; }
    void SetBorderColor(TColor value);
    CoordSet DisplayCoords() const { return DisplayCoords_; }
    void SetDisplayCoords(CoordSet value);
    bool Resizable() const { return Resizable_; }
    void SetResizable(bool value) { Resizable_ = value; }
    int ResizeMinSize() const { return ResizeMinSize_; }
    void SetResizeMinSize(int value);
    int ResizeMaxSize() const { return ResizeMaxSize_; }
    void SetResizeMaxSize(int value);
    int SizeOfBorder() const { return SizeOfBorder_; }
    void SetSizeOfBorder(int value);
    int SizeOfSquare() const { return SizeOfSquare_; }
    void SetSizeOfSquare(int value);
    int BoardLeft() const { return BoardLeft_; }
    int BoardTop() const { return BoardTop_; }
    TColor SquareColorDark() const { return SquareColorDark_; }
    void SetSquareColorDark(TColor value);
    TColor SquareColorLight() const { return SquareColorLight_; }
    void SetSquareColorLight(TColor value);
    bool WhiteOnTop() const { return WhiteOnTop_; }
    void SetWhiteOnTop(bool value);
    std::string Version() const { return {}; }
    void SetVersion(const std::string&) {}  // read-only: assignments are ignored

    // --- Computer play settings -------------------------------------------------
    bool ComputerPlaysWhite() const { return ComputerPlaysWhite_; }
    virtual void SetComputerPlaysWhite(bool value);
    bool ComputerPlaysBlack() const { return ComputerPlaysBlack_; }
    virtual void SetComputerPlaysBlack(bool value);
    int SearchDepth() const { return SearchDepth_; }
    void SetSearchDepth(int value);
    TThreadPriority ThinkingPriority() const { return ThinkingPriority_; }
    virtual void SetThinkingPriority(TThreadPriority value) { ThinkingPriority_ = value; }
    bool CustomEngine() const { return CustomEngine_; }
    void SetCustomEngine(bool value) { CustomEngine_ = value; }
    virtual bool Thinking() const { return false; }
    void SetThinking(bool) {}  // read-only: assignments are ignored

    // --- Computer play: halt and restart ------------------------------------------
    virtual void StopThinking() { Halted_ = true; }
    virtual void StartThinking() {}

    // --- Events -------------------------------------------------------------------
    TCaptureEvent OnCapture;
    TMoveEvent OnCastle;
    TMoveEvent OnCheck;
    TNotifyEvent OnDraw;
    TOneSquareEvent OnIllegalMove;
    TMoveEvent OnLegalMove;
    TMoveEvent OnMate;
    TNotifyEvent OnNoMatingMaterial;
    TNotifyEvent OnPaint;
    TPromotionEvent OnPromotion;
    TMoveEvent OnStaleMate;
    TThinkEvent OnCalculateMove;
    TMoveEvent OnCalculationFailed;
    TNotifyEvent OnThreefoldPosition;

    // A full repaint: the view draws everything, then OnPaint is raised.
    virtual void Paint();

protected:
    // --- View hooks: the widget paints, headless they do nothing ------------------
    virtual void DrawSquare(Square) {}
    virtual void DrawPiece(Square, char) {}
    virtual void DrawGridLines() {}
    virtual void AnimateMove(Square /*oldSq*/, Square /*newSq*/, int /*delay*/) {}
    virtual void RedrawChangedSquares(const std::string& /*oldPosition*/) {}
    // The control's size follows the square and border sizes.
    virtual void ControlSizeChanged(int /*width*/, int /*height*/) {}

    void SetHalted(bool value) { Halted_ = value; }
    void SetDragSquares(Square from, Square to) {
        DragFromSq_ = from;
        DragToSq_ = to;
    }
    // The fields the engine reads by reference.
    char* MutableBoard() { return Board_; }
    bool& WhiteToMoveField() { return WhiteToMove_; }
    CastleSet& CastlingField() { return CastlingAllowed_; }
    Square& EnPassantField() { return EnPassant_; }
    bool& ComputerPlaysWhiteField() { return ComputerPlaysWhite_; }
    bool& ComputerPlaysBlackField() { return ComputerPlaysBlack_; }
    int& SearchDepthField() { return SearchDepth_; }
    TThreadPriority& ThinkingPriorityField() { return ThinkingPriority_; }

private:
    // The rule tests share their work through these.
    char At(Square sq, Square oldSq, Square newSq, char moved) const;
    bool KingAttacked(char king, Square oldSq, Square newSq) const;
    bool IsLegalMoveInternal(Square oldSq, Square newSq, bool repetitionRefuses) const;
    bool HasLegalReply(bool repetitionRefuses) const;
    bool PieceMoveValid(Square oldSq, Square newSq) const;
    bool RayReaches(Square oldSq, Square newSq, int fileStep, int rankStep) const;
    bool CastlingValid(Square oldSq, Square newSq) const;
    bool LacksMatingMaterial() const;
    void MovePieceOnBoard(Square from, Square to);
    void CaptureEnPassant(Square oldSq, Square newSq, Square oldEnPassant, bool& check);
    void MoveCastlingRook(Square oldSq, Square newSq, bool& check);
    void UpdateCastlingRights(Square oldSq);
    bool EitherKingAttackedNow() const;
    MoveInfo& WritableEntry(int n, int s);
    void RecordPosition(MoveInfo& entry) const;

    char Board_[BoardCells];
    bool WhiteToMove_ = true;
    int CurrentMove_ = 1;
    CastleSet CastlingAllowed_ = AllCastlingRights;
    Square EnPassant_ = None;
    char PromotionPiece_ = 'q';
    // The record grows with the game: row n holds move number n (row 0 unused).
    std::vector<std::array<MoveInfo, 2>> GameRecord_;
    int FirstMove_ = 1;
    bool FirstWhiteToMove_ = true;
    int LastMove_ = 1;
    bool LastWhiteToMove_ = true;
    bool Halted_ = false;
    bool GameOver_ = false;
    Square DragFromSq_ = None;
    Square DragToSq_ = None;

    bool AnimateMoves_ = true;
    int AnimationDelay_ = 0;
    bool BoardLines_ = false;
    TColor BorderColor_ = clBlack;
    CoordSet DisplayCoords_ = 0;
    bool Resizable_ = false;
    int ResizeMinSize_ = 100;
    int ResizeMaxSize_ = 1000;
    int SizeOfBorder_ = 24;
    int SizeOfSquare_ = 40;
    int BoardLeft_ = 24;
    int BoardTop_ = 24;
    TColor SquareColorDark_ = clGray;
    TColor SquareColorLight_ = clSilver;
    bool WhiteOnTop_ = false;

    bool ComputerPlaysWhite_ = false;
    bool ComputerPlaysBlack_ = false;
    int SearchDepth_ = 1;
    TThreadPriority ThinkingPriority_ = tpNormal;
    bool CustomEngine_ = false;
};
