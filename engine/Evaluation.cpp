// Static evaluation: a per-search piece-square table built from the root
// position, summed over the pieces (kept up to date as moves are made), plus
// the pawn-structure and rook-file terms, in hundredths of a pawn for the side
// to move.
#include <cassert>

#include "engine/ChessEngine.h"

namespace {

constexpr int PhaseThreshold = 1400;

// Files f - 1 and f + 1, and f - 1 to f + 1, as bit sets of files.
constexpr unsigned AdjacentFiles(int f) {
    return ((0x5u << f) >> 1) & 0xFFu;
}
constexpr unsigned FileSpan(int f) {
    return ((0x7u << f) >> 1) & 0xFFu;
}

}  // namespace

void TChessEngine::PrepareEvalTables() {
    for (auto& color : PieceSquare_)
        for (auto& piece : color)
            for (int& entry : piece) entry = 0;
    for (int i = 0; i < 64; ++i) {
        for (int c = White; c <= Black; ++c) {
            int sq = c == White ? i : FlipTable_[i];
            PieceSquare_[c][Pawn][i] = PawnTable_[sq] + PieceValue_[Pawn];
            PieceSquare_[c][Knight][i] = MinorTable_[sq] + PieceValue_[Knight];
            PieceSquare_[c][Bishop][i] = MinorTable_[sq] + PieceValue_[Bishop];
            PieceSquare_[c][Rook][i] = PieceValue_[Rook];
            PieceSquare_[c][Queen][i] = PieceValue_[Queen];
        }
    }
    // The king's table and the pawn shield depend on the opponent's material
    // at the root; a side without a king keeps the square found before it.
    int kingSquare = 0;
    for (int c = White; c <= Black; ++c) {
        int o = 1 - c;
        int material = 0;
        for (int piece = Knight; piece <= King; ++piece)
            material += PieceValue_[piece] * CountSquares(Pieces_[o][piece]);
        if (Pieces_[c][King]) kingSquare = HighestSquare(Pieces_[c][King]);
        bool middleGame = material > PhaseThreshold;
        int kingFile = kingSquare % 8;
        for (int i = 0; i < 64; ++i) {
            int sq = c == White ? i : FlipTable_[i];
            PieceSquare_[c][King][i] = middleGame ? KingMiddleTable_[sq] : KingEndTable_[sq];
            if (middleGame && kingFile >= 5) PieceSquare_[c][Pawn][i] += KingSideShield_[sq];
            if (middleGame && kingFile <= 2) PieceSquare_[c][Pawn][i] += QueenSideShield_[sq];
        }
    }
    SumPieceSquares();
    // The cache starts empty; an all-zero entry is right for a board without pawns.
    for (TPawnEntry& entry : PawnCache_) entry = TPawnEntry{};
}

void TChessEngine::SumPieceSquares() {
    for (int c = White; c <= Black; ++c) {
        PsqSum_[c] = 0;
        for (int piece = Pawn; piece <= King; ++piece)
            for (TBitboard b = Pieces_[c][piece]; b;)
                PsqSum_[c] += PieceSquare_[c][piece][PopLowest(b)];
    }
}

int TChessEngine::PawnTerms(int color, unsigned ownFiles, unsigned otherFiles) const {
    TBitboard own = Pieces_[color][Pawn];
    int score = 0;
    for (unsigned files = ownFiles; files; files &= files - 1) {
        int f = std::countr_zero(files);
        int count = CountOnFile(own, f);
        if (count > 1) score -= 5 * count;
        if (!(ownFiles & AdjacentFiles(f))) {
            score -= 20 * count;
            if (!(otherFiles & (1u << f))) score -= 10 * count;
        }
        if (!(otherFiles & FileSpan(f)))
            for (TBitboard onFile = own & FileMask(f); onFile;)
                score += 2 * PieceSquare_[color][Pawn][PopLowest(onFile)];
    }
    return score;
}

int TChessEngine::RookTerms(int color, unsigned ownFiles, unsigned otherFiles) const {
    int score = 0;
    for (TBitboard rooks = Pieces_[color][Rook]; rooks;) {
        unsigned file = 1u << (PopLowest(rooks) % 8);
        if (!(ownFiles & file)) score += (otherFiles & file) ? 10 : 15;
    }
    return score;
}

int TChessEngine::Evaluate() const {
    TBitboard whitePawns = Pieces_[White][Pawn], blackPawns = Pieces_[Black][Pawn];
    unsigned whiteFiles = FilesOf(whitePawns), blackFiles = FilesOf(blackPawns);
    std::uint64_t key = whitePawns * 0x9E3779B97F4A7C15ull ^ blackPawns * 0xC2B2AE3D27D4EB4Full;
    TPawnEntry& entry = PawnCache_[key >> 52];
    if (entry.White != whitePawns || entry.Black != blackPawns) {
        entry.White = whitePawns;
        entry.Black = blackPawns;
        entry.Score[White] = PawnTerms(White, whiteFiles, blackFiles);
        entry.Score[Black] = PawnTerms(Black, blackFiles, whiteFiles);
    }
    int white = PsqSum_[White] + entry.Score[White] + RookTerms(White, whiteFiles, blackFiles);
    int black = PsqSum_[Black] + entry.Score[Black] + RookTerms(Black, blackFiles, whiteFiles);
    return Side_ == White ? white - black : black - white;
}
