// The constant tables the engine fills in once, when it is created: the
// mailbox frame, the castling masks, the piece values and placement tables,
// and the attack sets derived from the frame.
#include <cstring>

#include "engine/ChessEngine.h"

namespace {

// The queen's and king's directions in the frame, in generation order.
constexpr int FrameDirections[8] = {-11, -10, -9, -1, 1, 9, 10, 11};
constexpr int KnightDirections[8] = {-21, -19, -12, -8, 8, 12, 19, 21};

// clang-format off
constexpr int PawnGrid[64] = {
     0,  0,  0,   0,   0,  0,  0,  0,
     5, 10, 15,  20,  20, 15, 10,  5,
     4,  8, 12,  16,  16, 12,  8,  4,
     3,  6,  9,  12,  12,  9,  6,  3,
     2,  4,  6,   8,   8,  6,  4,  2,
     1,  2,  3,   4,   4,  3,  2,  1,
     0,  0,  0, -20, -20,  0,  0,  0,
     0,  0,  0,   0,   0,  0,  0,  0,
};
constexpr int KingSideGrid[64] = {
    0, 0, 0, 0, 0,  0,  0,  0,
    0, 0, 0, 0, 0,  0,  0,  0,
    0, 0, 0, 0, 0,  0,  0,  0,
    0, 0, 0, 0, 0,  0,  0,  0,
    0, 0, 0, 0, 0,  5,  5,  5,
    0, 0, 0, 0, 0, 10, 10, 10,
    0, 0, 0, 0, 0, 20, 20, 20,
    0, 0, 0, 0, 0,  0,  0,  0,
};
constexpr int QueenSideGrid[64] = {
     0,  0,  0, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
     5,  5,  5, 0, 0, 0, 0, 0,
    10, 10, 10, 0, 0, 0, 0, 0,
    20, 20, 20, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
};
constexpr int MinorGrid[64] = {
    -10, -10, -10, -10, -10, -10, -10, -10,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -10,   0,   5,   5,   5,   5,   0, -10,
    -10,   0,   5,  10,  10,   5,   0, -10,
    -10,   0,   5,  10,  10,   5,   0, -10,
    -10,   0,   5,   5,   5,   5,   0, -10,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -20, -20, -20, -20, -20, -20, -20, -20,
};
constexpr int KingMiddleGrid[64] = {
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -20, -20, -20, -20, -20, -20, -20, -20,
    -10,   0,  10, -20,   0, -20,  10,   0,
};
constexpr int KingEndGrid[64] = {
    -5, -5, -5, -5, -5, -5, -5, -5,
    -5,  0,  0,  0,  0,  0,  0, -5,
    -5,  0,  5,  5,  5,  5,  0, -5,
    -5,  0,  5, 10, 10,  5,  0, -5,
    -5,  0,  5, 10, 10,  5,  0, -5,
    -5,  0,  5,  5,  5,  5,  0, -5,
    -5,  0,  0,  0,  0,  0,  0, -5,
    -5, -5, -5, -5, -5, -5, -5, -5,
};
// clang-format on

}  // namespace

TChessEngine::TChessEngine() {
    InitTables();
}

void TChessEngine::InitTables() {
    InitGeometry();
    InitEvalTables();
}

void TChessEngine::InitGeometry() {
    for (int& entry : Mailbox_) entry = -1;
    for (int i = 0; i < 64; ++i) {
        Mailbox64_[i] = 21 + 10 * (i / 8) + i % 8;
        Mailbox_[Mailbox64_[i]] = i;
        CastleMask_[i] = 15;
    }
    CastleMask_[A8 - 1] = 7;
    CastleMask_[E8 - 1] = 3;
    CastleMask_[H8 - 1] = 11;
    CastleMask_[A1 - 1] = 13;
    CastleMask_[E1 - 1] = 12;
    CastleMask_[H1 - 1] = 14;

    for (int i = 0; i < 64; ++i) {
        for (int d = 0; d < 8; ++d) {
            int n = Mailbox_[Mailbox64_[i] + KnightDirections[d]];
            if (n != -1) KnightTargets_[i] |= SquareBit(n);
            n = Mailbox_[Mailbox64_[i] + FrameDirections[d]];
            if (n != -1) KingTargets_[i] |= SquareBit(n);
            for (n = i; (n = Mailbox_[Mailbox64_[n] + FrameDirections[d]]) != -1;) {
                Between_[i][n] = RayMask_[d][i];
                RayMask_[d][i] |= SquareBit(n);
            }
            bool diagonal = d == 0 || d == 2 || d == 5 || d == 7;  // -11, -9, 9, 11
            LineMask_[diagonal ? 0 : 1][i] |= RayMask_[d][i];
        }
        // A pawn attacks diagonally forward; one on its last rank attacks nothing.
        int file = i % 8;
        if (i >= 8) {
            if (file != 0) PawnAttackers_[White][i - 9] |= SquareBit(i);
            if (file != 7) PawnAttackers_[White][i - 7] |= SquareBit(i);
        }
        if (i < 56) {
            if (file != 0) PawnAttackers_[Black][i + 7] |= SquareBit(i);
            if (file != 7) PawnAttackers_[Black][i + 9] |= SquareBit(i);
        }
    }
}

void TChessEngine::InitEvalTables() {
    constexpr int values[6] = {100, 300, 300, 500, 900, 10000};
    std::memcpy(PieceValue_, values, sizeof values);
    for (int i = 0; i < 64; ++i) {
        FlipTable_[i] = 8 * (7 - i / 8) + i % 8;
        PawnTable_[i] = PawnGrid[i];
        KingSideShield_[i] = KingSideGrid[i];
        QueenSideShield_[i] = QueenSideGrid[i];
        MinorTable_[i] = MinorGrid[i];
        KingMiddleTable_[i] = KingMiddleGrid[i];
        KingEndTable_[i] = KingEndGrid[i];
    }
}
