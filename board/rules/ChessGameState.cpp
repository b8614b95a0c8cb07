// The board's state: squares, the position text, starting a game and the
// settings with their assignment rules.
#include <algorithm>
#include <cstring>

#include "board/rules/ChessGame.h"

namespace {

constexpr char AcceptedLetters[] = " PNBRQKpnbrqk";

bool IsAcceptedLetter(char c) {
    return c != '\0' && std::strchr(AcceptedLetters, c) != nullptr;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

TChessGame::TChessGame() {
    std::memset(Board_, ' ', sizeof Board_);
    Board_[BoardCells - 1] = '\0';
    GameRecord_.resize(2);
    ResetGame();
}

Square TChessGame::SquareFromFileRank(int file, int rank) {
    if (file < 1 || file > 8 || rank < 1 || rank > 8) return None;
    return Square((8 - rank) * 8 + file);
}

int TChessGame::SideOfLetter(char c) {
    if (c >= 'B' && c <= 'R') return 1;
    if (c >= 'b' && c <= 'r') return 0;
    return -1;
}

std::string TChessGame::Position() const {
    return std::string(Board_ + 1);
}

void TChessGame::SetPosition(std::string_view value) {
    StopThinking();
    std::memset(Board_, ' ', BoardCells - 1);
    Board_[BoardCells - 1] = '\0';
    const std::size_t count = std::min<std::size_t>(value.size(), SquareCount);
    for (std::size_t k = 0; k < count && value[k] != '\0'; ++k) {
        if (IsAcceptedLetter(value[k])) Board_[k + 1] = value[k];
    }
    if (EqualsIgnoringCase(value, "init") || EqualsIgnoringCase(value, "newgame")) {
        Board_[0] = '_';
        std::memcpy(Board_ + 1, StartPosition, SquareCount);
    }
    Paint();
}

void TChessGame::ResetGame() {
    StopThinking();
    Board_[0] = '_';
    std::memcpy(Board_ + 1, StartPosition, SquareCount);
    Board_[BoardCells - 1] = '\0';
    WhiteToMove_ = true;
    CurrentMove_ = 1;
    FirstMove_ = 1;
    FirstWhiteToMove_ = true;
    LastMove_ = 1;
    LastWhiteToMove_ = true;
    EnPassant_ = None;
    CastlingAllowed_ |= AllCastlingRights;
}

void TChessGame::NewGame() {
    ResetGame();
    Paint();
}

void TChessGame::Paint() {
    if (OnPaint) OnPaint(*this);
}

void TChessGame::SetWhiteToMove(bool value) {
    StopThinking();
    WhiteToMove_ = value;
}

void TChessGame::SetEnPassant(Square value) {
    const bool onRankSix = value >= A6 && value <= H6;
    const bool onRankThree = value >= A3 && value <= H3;
    if (!onRankSix && !onRankThree) return;
    StopThinking();
    EnPassant_ = value;
}

void TChessGame::SetBoardLines(bool value) {
    BoardLines_ = value;
    Paint();
}

void TChessGame::SetBorderColor(TColor value) {
    BorderColor_ = value;
    Paint();
}

void TChessGame::SetDisplayCoords(CoordSet value) {
    DisplayCoords_ = value;
    Paint();
}

void TChessGame::SetResizeMinSize(int value) {
    ResizeMinSize_ = std::min(value, ResizeMaxSize_);
}

void TChessGame::SetResizeMaxSize(int value) {
    ResizeMaxSize_ = std::max(value, ResizeMinSize_);
}

void TChessGame::SetSizeOfBorder(int value) {
    SizeOfBorder_ = value;
    BoardLeft_ = value;
    BoardTop_ = value;
    const int width = 8 * SizeOfSquare_ + 2 * SizeOfBorder_;
    ControlSizeChanged(width, width);
}

void TChessGame::SetSizeOfSquare(int value) {
    SizeOfSquare_ = value;
    const int width = 8 * SizeOfSquare_ + 2 * SizeOfBorder_;
    ControlSizeChanged(width, width);
}

void TChessGame::SetSquareColorDark(TColor value) {
    SquareColorDark_ = value;
    Paint();
}

void TChessGame::SetSquareColorLight(TColor value) {
    SquareColorLight_ = value;
    Paint();
}

void TChessGame::SetWhiteOnTop(bool value) {
    WhiteOnTop_ = value;
    Paint();
}

void TChessGame::SetComputerPlaysWhite(bool value) {
    StopThinking();
    ComputerPlaysWhite_ = value;
    StartThinking();
}

void TChessGame::SetComputerPlaysBlack(bool value) {
    StopThinking();
    ComputerPlaysBlack_ = value;
    StartThinking();
}

void TChessGame::SetSearchDepth(int value) {
    SearchDepth_ = std::clamp(value, 1, 8);
}
