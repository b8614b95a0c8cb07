// The computer opponent: its own board with move generation and make/unmake,
// the static evaluation and the iterative-deepening alpha-beta search with
// quiescence. One object holds every table in fixed arrays and allocates
// nothing while it searches; create it with std::make_unique (it is large).
//
// The results (move, score, principal variation, node count) are exactly those
// of the plain mailbox reading kept as the reference in tests/engine-literal,
// for every position and depth: generation order and ordering scores are the
// same, only the way they are computed differs (piece sets walked in ascending
// square order, attack tests from the target square outward, piece-square sums
// kept up to date, a pawn-structure cache).
//
// Guards, so that no table is ever used out of range and every search ends:
// - Loading drops castling rights the position does not bear out (king on E1
//   or E8 and the rook on its corner), an en-passant square that is not on the
//   rank behind an enemy pawn that could just have double-stepped (rank 6 with
//   White to move, rank 3 with Black, empty, an enemy pawn in front of it), and
//   treats a square whose character gives a colour but no piece as empty.
// - A pawn standing on its own last rank has no moves and attacks nothing.
// - A Search or Quiesce node at ply MaxPly - 1, or whose list would start past
//   MoveStackSize entries, returns its static evaluation; DoMove refuses a
//   move at ply MaxPly - 1. The move stack has
//   room for one full list beyond MoveStackSize, so a list that the 4096-entry
//   stack could hold is always generated in full.
// - Unusual positions (not exactly one king a side, more than 16 pieces or 8
//   pawns a side, more promoted pieces than missing pawns, or a pawn on the
//   first or last rank; none arise in games) cut quiescence
//   UnusualQuiesceDepth plies below the leaf, and from the second iteration on
//   the search ends once UnusualNodeBudget nodes are spent, keeping the last
//   completed iteration. A position whose quiescence from one leaf takes more
//   than QuiesceTreeLimit nodes is treated as unusual from then on. Positions
//   reached by random legal play have shown whole searches of up to seven
//   million nodes at depths 1 and 2; the limit (eight million below one leaf)
//   stands above them and cuts, within about a second, trees the plain search
//   would spend minutes on.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/Bitboard.h"
#include "engine/EngineTypes.h"

class TChessEngine {
public:
    static constexpr int MaxPly = 64;
    static constexpr int MoveStackSize = 4096;
    // No position yields more pseudo-legal moves than this in one list
    // (64 pieces of at most 27 moves each, castling and en passant).
    static constexpr int MaxListLength = 64 * 27 + 4 + 2;
    static constexpr int UnusualQuiesceDepth = 4;
    static constexpr std::uint64_t UnusualNodeBudget = std::uint64_t{1} << 20;
    static constexpr std::uint64_t QuiesceTreeLimit = std::uint64_t{1} << 23;
    static constexpr int MateScore = 10000;

    // The engine board's fields as the tests compare them.
    struct TBoardState {
        int Color[64];
        int Piece[64];
        int Side, XSide, Castle, EpSquare, Ply;
        friend bool operator==(const TBoardState&, const TBoardState&) = default;
    };

    TChessEngine();

    void SetSource(const TEngineSource& source) { Source_ = source; }

    // Set by another thread; read at every Search node and before each move of
    // a Search loop.
    std::atomic<bool> StopRequested{false};
    // Optional; called after each completed iteration.
    TIterationCallback OnIteration;

    // Loads the board, prepares the evaluation and searches to the source's depth.
    void Think();
    TMove BestMove() const { return Pv_[0][0]; }
    int RootScore() const { return RootScore_; }
    std::uint64_t Nodes() const { return Nodes_; }
    int PvLineLength() const { return PvLength_[0]; }
    const TMove* PvLine() const { return Pv_[0]; }
    bool RootHadLegalMove() const { return RootHadLegalMove_; }

    // On the engine's own board, for tests, tools and perft.
    void LoadBoard();
    std::vector<TMoveEntry> GeneratedMoves();
    std::vector<TMoveEntry> GeneratedCaptures();
    bool DoMove(TMove m);
    void UndoMove();
    bool InCheck(int side) const;
    bool Attacked(int sq, int bySide) const;
    int Evaluate() const;
    void PrepareEvalTables();
    // Leaf count; the depth is cut so that the plies stay below MaxPly. A stop
    // request ends it early (the count is then partial).
    std::uint64_t Perft(int depth);
    int Side() const { return Side_; }

    TBoardState BoardState() const;
    // Writes the engine board back in the board component's form: 66
    // characters (sentinel ' ', squares, NUL), side, castling rights and the
    // en-passant Square (None when there is none).
    void ExportPosition(char* board, bool& whiteToMove, CastleSet& castling,
                        Square& enPassant) const;
    // True when the loaded position is one of the unusual ones (see above).
    bool UnusualPosition() const { return Unusual_; }

private:
    struct TUndo {
        TMove Move;
        int Captured;
        int Castle;
        int EpSquare;
    };

    // Tables
    void InitTables();
    void InitGeometry();
    void InitEvalTables();

    // Board
    void PutPiece(int sq, int color, int piece);
    void MovePiece(int from, int to);
    void ClearSquare(int sq);
    bool CheckOrdinary() const;
    void ValidateCastling();
    void ValidateEnPassant();
    int FirstKing(int side) const;

    // Move generation
    void GenerateMoves();
    void GenerateCaptures();
    void AddMove(int from, int to, int flags);
    void AddPromotions(int from, int to, int flags);
    void AddPieceMoves(int from, int piece);
    void AddPieceCaptures(int from, int piece);
    void AppendCapture(int& out, int from, int to, int piece);
    void AddPawnMoves(int from, bool capturesOnly);
    void AddEnPassant();
    void AddCastling();
    bool CastlingPathClear(int to) const;
    void MoveCastlingRook(int kingTo);

    // Evaluation
    struct TPawnEntry {
        TBitboard White, Black;
        int Score[2];
    };
    static constexpr int PawnCacheSize = 4096;
    int PawnTerms(int color, unsigned ownFiles, unsigned otherFiles) const;
    int RookTerms(int color, unsigned ownFiles, unsigned otherFiles) const;
    void SumPieceSquares();

    // Search
    int Search(int alpha, int beta, int depth);
    int Quiesce(int alpha, int beta, int quiescePly);
    bool Stopped();
    bool BeyondTables() const;
    bool BudgetSpent();
    void MarkPvMove();
    void PickBest(int i);
    void UpdatePv(TMove m);
    void SaveRootLine();
    void RestoreRootLine();
    std::uint64_t PerftNode(int depth);
    std::vector<TMoveEntry> CurrentList() const;

    // Constant tables
    int Mailbox_[120]{};
    int Mailbox64_[64]{};
    int CastleMask_[64]{};
    int PieceValue_[6]{};
    int FlipTable_[64]{};
    int PawnTable_[64]{};
    int KingSideShield_[64]{};
    int QueenSideShield_[64]{};
    int MinorTable_[64]{};
    int KingMiddleTable_[64]{};
    int KingEndTable_[64]{};
    // Rays in the order of the queen's directions: NW, N, NE, W, E, SW, S, SE.
    TBitboard RayMask_[8][64]{};
    TBitboard LineMask_[2][64]{};  // all squares on the diagonals [0] and straight lines [1]
    TBitboard Between_[64][64]{};  // squares strictly between two squares of one line
    TBitboard KnightTargets_[64]{};
    TBitboard KingTargets_[64]{};
    TBitboard PawnAttackers_[2][64]{};  // squares from which a pawn of a colour attacks a square

    // Evaluation tables of the search under way
    int PieceSquare_[2][6][64]{};
    // Pawn-structure scores by pawn placement; valid for one search's tables.
    mutable TPawnEntry PawnCache_[PawnCacheSize]{};

    // Engine board
    std::uint8_t Color_[64]{};
    std::uint8_t Piece_[64]{};
    int Side_ = White;
    int XSide_ = Black;
    int Castle_ = 0;
    int EpSquare_ = -1;
    int Ply_ = 0;
    TBitboard Pieces_[2][6]{};
    TBitboard Occupied_[2]{};
    int PsqSum_[2]{};  // PieceSquare_ summed over each colour's pieces
    bool Unusual_ = false;

    // Move lists
    // The move stack as two parallel arrays, so that picking the best score
    // scans contiguous integers.
    TMove Moves_[MoveStackSize + MaxListLength]{};
    int Scores_[MoveStackSize + MaxListLength]{};
    int ListStart_[MaxPly + 1]{};
    int ListEnd_[MaxPly]{};
    TUndo UndoStack_[MaxPly]{};
    // Per ply: whether the side to move is in check there (-1 not yet known).
    // A move that cannot open a line to an unchecked king needs no check test.
    int KnownCheck_[MaxPly + 1]{};

    // Search
    int History_[64][64]{};
    TMove Pv_[MaxPly][MaxPly]{};
    int PvLength_[MaxPly]{};
    int PickedScore_[MaxPly]{};  // per ply: the score of the last move picked
    bool FollowPv_ = false;
    std::uint64_t Nodes_ = 0;
    std::uint64_t QuiesceTreeStart_ = 0;
    bool BudgetActive_ = false;
    bool Aborted_ = false;
    bool RootLegalSeen_ = false;
    bool RootHadLegalMove_ = false;
    int RootScore_ = 0;
    TMove SavedLine_[MaxPly]{};
    int SavedLength_ = 0;

    TEngineSource Source_;
};
