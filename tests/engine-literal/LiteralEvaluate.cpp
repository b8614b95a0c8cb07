// The reference engine's evaluation: the constant placement tables, the
// per-search table folded from the root position, and the static score.
#include "tests/engine-literal/LiteralEngine.h"

namespace {

// clang-format off
constexpr int PawnGrid[64] = {
     0,  0,  0,   0,   0,  0,  0,  0,
     5, 10, 15,  20,  20, 15, 10,  5,
     4,  8, 12,  16,  16, 12,  8,  4,
     3,  6,  9,  12,  12,  9,  6,  3,
     2,  4,  6,   8,   8,  6,  4,  2,
     1,  2,  3,   4,   4,  3,  2,  1,
     0,  0,  0, -20, -20,  0,  0,  0,
     0,  0,  0,   0,   0,  0,  0,  0};

constexpr int KingSideGrid[64] = {
     0, 0, 0, 0, 0,  0,  0,  0,
     0, 0, 0, 0, 0,  0,  0,  0,
     0, 0, 0, 0, 0,  0,  0,  0,
     0, 0, 0, 0, 0,  0,  0,  0,
     0, 0, 0, 0, 0,  5,  5,  5,
     0, 0, 0, 0, 0, 10, 10, 10,
     0, 0, 0, 0, 0, 20, 20, 20,
     0, 0, 0, 0, 0,  0,  0,  0};

constexpr int QueenSideGrid[64] = {
     0,  0,  0, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0,
     5,  5,  5, 0, 0, 0, 0, 0,
    10, 10, 10, 0, 0, 0, 0, 0,
    20, 20, 20, 0, 0, 0, 0, 0,
     0,  0,  0, 0, 0, 0, 0, 0};

constexpr int MinorGrid[64] = {
    -10, -10, -10, -10, -10, -10, -10, -10,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -10,   0,   5,   5,   5,   5,   0, -10,
    -10,   0,   5,  10,  10,   5,   0, -10,
    -10,   0,   5,  10,  10,   5,   0, -10,
    -10,   0,   5,   5,   5,   5,   0, -10,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -20, -20, -20, -20, -20, -20, -20, -20};

constexpr int KingMiddleGrid[64] = {
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,
    -20, -20, -20, -20, -20, -20, -20, -20,
    -10,   0,  10, -20,   0, -20,  10,   0};

constexpr int KingEndGrid[64] = {
    -5, -5, -5, -5, -5, -5, -5, -5,
    -5,  0,  0,  0,  0,  0,  0, -5,
    -5,  0,  5,  5,  5,  5,  0, -5,
    -5,  0,  5, 10, 10,  5,  0, -5,
    -5,  0,  5, 10, 10,  5,  0, -5,
    -5,  0,  5,  5,  5,  5,  0, -5,
    -5,  0,  0,  0,  0,  0,  0, -5,
    -5, -5, -5, -5, -5, -5, -5, -5};
// clang-format on

}  // namespace

void TLiteralEngine::InitEvalTables() {
    for (int i = 0; i < 64; ++i) {
        FlipTable[i] = 8 * (7 - i / 8) + i % 8;
        PawnTable[i] = PawnGrid[i];
        KingSideShield[i] = KingSideGrid[i];
        QueenSideShield[i] = QueenSideGrid[i];
        MinorTable[i] = MinorGrid[i];
        KingMiddleTable[i] = KingMiddleGrid[i];
        KingEndTable[i] = KingEndGrid[i];
    }
}

void TLiteralEngine::PrepareEvalTables() {
    for (auto& colour : PieceSquare)
        for (auto& piece : colour)
            for (int& v : piece) v = 0;

    for (int i = 0; i < 64; ++i) {
        const int m = FlipTable[i];
        PieceSquare[White][Pawn][i] = PawnTable[i] + PieceValue[Pawn];
        PieceSquare[White][Knight][i] = MinorTable[i] + PieceValue[Knight];
        PieceSquare[White][Bishop][i] = MinorTable[i] + PieceValue[Bishop];
        PieceSquare[White][Rook][i] = PieceValue[Rook];
        PieceSquare[White][Queen][i] = PieceValue[Queen];
        PieceSquare[Black][Pawn][i] = PawnTable[m] + PieceValue[Pawn];
        PieceSquare[Black][Knight][i] = MinorTable[m] + PieceValue[Knight];
        PieceSquare[Black][Bishop][i] = MinorTable[m] + PieceValue[Bishop];
        PieceSquare[Black][Rook][i] = PieceValue[Rook];
        PieceSquare[Black][Queen][i] = PieceValue[Queen];
    }

    // The king square found for White stays in use for Black when Black has
    // no king.
    int kingSquare = 0;
    for (int side = White; side <= Black; ++side) {
        const int other = 1 - side;
        int sum = 0;
        for (int i = 0; i < 64; ++i) {
            if (Color[i] == other && Piece[i] != Pawn && Piece[i] != Empty)
                sum += PieceValue[Piece[i]];
            if (Color[i] == side && Piece[i] == King) kingSquare = i;
        }
        const int kingFile = kingSquare % 8;
        for (int i = 0; i < 64; ++i) {
            const int t = side == White ? i : FlipTable[i];
            if (sum > 1400) {
                PieceSquare[side][King][i] = KingMiddleTable[t];
                if (kingFile >= 5)
                    PieceSquare[side][Pawn][i] += KingSideShield[t];
                else if (kingFile <= 2)
                    PieceSquare[side][Pawn][i] += QueenSideShield[t];
            } else {
                PieceSquare[side][King][i] = KingEndTable[t];
            }
        }
    }
}

int TLiteralEngine::Evaluate() const {
    int score[2] = {0, 0};
    int pawns[2][10] = {};

    for (int i = 0; i < 64; ++i) {
        const int c = Color[i], p = Piece[i];
        if (c == Empty || p == Empty) continue;
        if (p == Pawn) ++pawns[c][i % 8 + 1];
        score[c] += PieceSquare[c][p][i];
    }

    for (int i = 0; i < 64; ++i) {
        const int c = Color[i], p = Piece[i];
        if (c == Empty || p == Empty) continue;
        const int o = 1 - c;
        const int f = i % 8 + 1;
        if (p == Pawn) {
            if (pawns[c][f] > 1) score[c] -= 5;
            if (pawns[c][f - 1] == 0 && pawns[c][f + 1] == 0) {
                score[c] -= 20;
                if (pawns[o][f] == 0) score[c] -= 10;
            }
            if (pawns[o][f - 1] == 0 && pawns[o][f] == 0 && pawns[o][f + 1] == 0)
                score[c] += 2 * PieceSquare[c][Pawn][i];
        } else if (p == Rook) {
            if (pawns[c][f] == 0) {
                score[c] += 10;
                if (pawns[o][f] == 0) score[c] += 5;
            }
        }
    }

    return score[SideToMove] - score[XSide];
}
