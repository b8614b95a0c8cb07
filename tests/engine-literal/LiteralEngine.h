// The reference engine: the engine board, evaluation and search written as a
// plain step-by-step reading, kept out of the program. The shipped engine is
// checked against it move for move and node for node, and measured against it.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/EngineTypes.h"

class TLiteralEngine {
public:
    static constexpr int MaxPly = 64;
    static constexpr int MoveStackSize = 4096;
    // No board yields a longer pseudo-legal list (64 pieces of at most 27
    // moves, castling, en passant). The stack has that much room beyond its
    // 4096 entries, so a list is always generated in full and a node whose
    // list passes the 4096 is then not expanded.
    static constexpr int MaxListLength = 64 * 27 + 2 + 2;

    TLiteralEngine();

    void SetSource(const TEngineSource& source) { Source = source; }

    std::atomic<bool> StopRequested{false};
    TIterationCallback OnIteration;

    void Think();
    TMove BestMove() const { return Pv[0][0]; }
    int RootScore() const { return LastRootScore; }
    std::uint64_t Nodes() const { return NodeCount; }
    int PvLineLength() const { return PvLength[0]; }
    const TMove* PvLine() const { return &Pv[0][0]; }
    bool RootHadLegalMove() const { return RootLegal; }

    void LoadBoard();
    std::vector<TMoveEntry> GeneratedMoves();
    std::vector<TMoveEntry> GeneratedCaptures();
    bool DoMove(TMove m);
    void UndoMove();
    bool InCheck(int side) const;
    bool Attacked(int sq, int bySide) const;
    int Evaluate() const;
    void PrepareEvalTables();
    std::uint64_t Perft(int depth);
    int Side() const { return SideToMove; }

private:
    struct TUndoEntry {
        TMove Move;
        std::int32_t Captured = 0;
        std::int32_t Castle = 0;
        std::int32_t EpSquare = 0;
    };

    void InitTables();
    void InitGeometry();
    void InitEvalTables();
    void GenerateMoves();
    void GenerateCaptures();
    void GeneratePawn(int i, bool capturesOnly);
    void GeneratePiece(int i, bool capturesOnly);
    void GenerateCastling();
    void GenerateEnPassant();
    void AddMove(int from, int to, std::uint8_t flags);
    void AddPromotions(int from, int to, std::uint8_t flags);
    bool CastlingPathFree(int to);
    void PrepareSide(int side);
    int Search(int alpha, int beta, int depth);
    int Quiesce(int alpha, int beta);
    void UpdatePv(TMove m);
    void MarkPvMove();
    void PickBest(int i);
    bool PlyLimitReached() const { return Ply >= MaxPly - 1; }
    bool ListOverflowed() const { return ListEnd[Ply] > MoveStackSize; }
    std::vector<TMoveEntry> CurrentList() const;

    TEngineSource Source;

    // Evaluation tables.
    std::int32_t PieceSquare[2][6][64]{};
    std::int32_t FlipTable[64]{};
    std::int32_t PawnTable[64]{};
    std::int32_t KingSideShield[64]{};
    std::int32_t QueenSideShield[64]{};
    std::int32_t MinorTable[64]{};
    std::int32_t KingMiddleTable[64]{};
    std::int32_t KingEndTable[64]{};

    // Engine board.
    std::int32_t Color[64]{};
    std::int32_t Piece[64]{};
    std::int32_t SideToMove = 0;
    std::int32_t XSide = 0;
    std::int32_t Castle = 0;
    std::int32_t EpSquare = 0;
    std::int32_t Ply = 0;

    // Geometry.
    std::int32_t Mailbox[120]{};
    std::int32_t Mailbox64[64]{};
    bool Slides[6]{};
    std::int32_t DirectionCount[6]{};
    std::int32_t Directions[6][8]{};
    std::int32_t CastleMask[64]{};
    std::int32_t PieceValue[6]{};

    // Move lists and undo records.
    TMoveEntry MoveStack[MoveStackSize + MaxListLength]{};
    std::int32_t ListStart[MaxPly]{};
    std::int32_t ListEnd[MaxPly]{};
    TUndoEntry UndoStack[MaxPly]{};

    // Search.
    std::int32_t History[64][64]{};
    TMove Pv[MaxPly][MaxPly]{};
    std::int32_t PvLength[MaxPly]{};
    bool FollowPv = false;

    std::uint64_t NodeCount = 0;
    int LastRootScore = 0;
    bool RootLegal = false;
};
