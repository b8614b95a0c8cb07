// The two move generators: all pseudo-legal moves, and the captures,
// promotion pushes and en-passant captures that quiescence searches. Pieces
// are visited in ascending square order and each piece's moves in the order of
// its directions, so the lists come out in the mailbox engine's order.
#include <cassert>

#include "engine/ChessEngine.h"

namespace {

constexpr int BishopRays[] = {0, 2, 5, 7};
constexpr int RookRays[] = {1, 3, 4, 6};
constexpr int QueenRays[] = {0, 1, 2, 3, 4, 5, 6, 7};

constexpr int CaptureScore = 1000000;

}  // namespace

void TChessEngine::AddMove(int from, int to, int flags) {
    if ((flags & mfPawn) && (Side_ == White ? to <= 7 : to >= 56)) {
        AddPromotions(from, to, flags);
        return;
    }
    int n = ListEnd_[Ply_]++;
    Moves_[n] = TMove{std::uint8_t(from), std::uint8_t(to), 0, std::uint8_t(flags)};
    Scores_[n] =
        (flags & mfCapture) ? CaptureScore + 10 * Piece_[to] - Piece_[from] : History_[from][to];
}

void TChessEngine::AddPromotions(int from, int to, int flags) {
    for (int promote = Knight; promote <= Queen; ++promote) {
        int n = ListEnd_[Ply_]++;
        Moves_[n] = TMove{std::uint8_t(from), std::uint8_t(to), std::uint8_t(promote),
                          std::uint8_t(flags | mfPromotion)};
        Scores_[n] = CaptureScore + 10 * promote;
    }
}

void TChessEngine::AddPawnMoves(int from, bool capturesOnly) {
    int file = from % 8;
    if (Side_ == White) {
        if (from < 8) return;  // a pawn on its last rank has nowhere to go
        if (file != 0 && Color_[from - 9] == Black) AddMove(from, from - 9, mfPawn | mfCapture);
        if (file != 7 && Color_[from - 7] == Black) AddMove(from, from - 7, mfPawn | mfCapture);
        if (Color_[from - 8] != Empty) return;
        if (capturesOnly) {
            if (from <= 15) AddMove(from, from - 8, mfPawn);
        } else {
            AddMove(from, from - 8, mfPawn);
            if (from >= 48 && Color_[from - 16] == Empty)
                AddMove(from, from - 16, mfPawn | mfDoublePush);
        }
    } else {
        if (from >= 56) return;
        if (file != 0 && Color_[from + 7] == White) AddMove(from, from + 7, mfPawn | mfCapture);
        if (file != 7 && Color_[from + 9] == White) AddMove(from, from + 9, mfPawn | mfCapture);
        if (Color_[from + 8] != Empty) return;
        if (capturesOnly) {
            if (from >= 48) AddMove(from, from + 8, mfPawn);
        } else {
            AddMove(from, from + 8, mfPawn);
            if (from <= 15 && Color_[from + 16] == Empty)
                AddMove(from, from + 16, mfPawn | mfDoublePush);
        }
    }
}

// A piece's capture, scored by victim first and attacker second.
void TChessEngine::AppendCapture(int& out, int from, int to, int piece) {
    Moves_[out] = TMove{std::uint8_t(from), std::uint8_t(to), 0, mfCapture};
    Scores_[out] = CaptureScore + 10 * Piece_[to] - piece;
    ++out;
}

void TChessEngine::AddPieceMoves(int from, int piece) {
    int out = ListEnd_[Ply_];
    const int* history = History_[from];
    auto quiet = [&](int to) {
        Moves_[out] = TMove{std::uint8_t(from), std::uint8_t(to), 0, 0};
        Scores_[out] = history[to];
        ++out;
    };
    auto capture = [&](int to) { AppendCapture(out, from, to, piece); };
    TBitboard enemy = Occupied_[XSide_];
    if (piece == Knight || piece == King) {
        // Both step in directions whose targets ascend with the square index.
        TBitboard targets =
            (piece == Knight ? KnightTargets_[from] : KingTargets_[from]) & ~Occupied_[Side_];
        while (targets) {
            int to = PopLowest(targets);
            if (enemy & SquareBit(to))
                capture(to);
            else
                quiet(to);
        }
    } else {
        const int* rays = piece == Bishop ? BishopRays : piece == Rook ? RookRays : QueenRays;
        int rayCount = piece == Queen ? 8 : 4;
        TBitboard occupied = Occupied_[White] | Occupied_[Black];
        for (int r = 0; r < rayCount; ++r) {
            int d = rays[r];
            // Nearest square first: downwards for the rays that lower the index;
            // a piece of the other side ends the ray as its last move.
            TBitboard reach = RayMask_[d][from];
            TBitboard blockers = reach & occupied;
            int first = -1;
            if (blockers) {
                first = d < 4 ? HighestSquare(blockers) : LowestSquare(blockers);
                reach ^= RayMask_[d][first] | SquareBit(first);
            }
            if (d < 4) {
                while (reach) {
                    int to = HighestSquare(reach);
                    reach ^= SquareBit(to);
                    quiet(to);
                }
            } else {
                while (reach) quiet(PopLowest(reach));
            }
            if (first >= 0 && (enemy & SquareBit(first))) capture(first);
        }
    }
    ListEnd_[Ply_] = out;
}

void TChessEngine::AddPieceCaptures(int from, int piece) {
    int out = ListEnd_[Ply_];
    auto capture = [&](int to) { AppendCapture(out, from, to, piece); };
    TBitboard enemy = Occupied_[XSide_];
    if (piece == Knight || piece == King) {
        TBitboard targets = (piece == Knight ? KnightTargets_[from] : KingTargets_[from]) & enemy;
        while (targets) capture(PopLowest(targets));
    } else {
        // Only the first piece on a ray can be taken.
        TBitboard lines = piece == Bishop ? LineMask_[0][from]
                          : piece == Rook ? LineMask_[1][from]
                                          : LineMask_[0][from] | LineMask_[1][from];
        if (!(lines & enemy)) return;
        const int* rays = piece == Bishop ? BishopRays : piece == Rook ? RookRays : QueenRays;
        int rayCount = piece == Queen ? 8 : 4;
        TBitboard occupied = Occupied_[White] | Occupied_[Black];
        for (int r = 0; r < rayCount; ++r) {
            int d = rays[r];
            if (!(RayMask_[d][from] & enemy)) continue;
            TBitboard blockers = RayMask_[d][from] & occupied;
            int first = d < 4 ? HighestSquare(blockers) : LowestSquare(blockers);
            if (enemy & SquareBit(first)) capture(first);
        }
    }
    ListEnd_[Ply_] = out;
}

void TChessEngine::AddCastling() {
    if (Side_ == White) {
        if (Castle_ & 1) AddMove(E1 - 1, G1 - 1, mfCastle);
        if (Castle_ & 2) AddMove(E1 - 1, C1 - 1, mfCastle);
    } else {
        if (Castle_ & 4) AddMove(E8 - 1, G8 - 1, mfCastle);
        if (Castle_ & 8) AddMove(E8 - 1, C8 - 1, mfCastle);
    }
}

void TChessEngine::AddEnPassant() {
    int e = EpSquare_;
    if (e == -1) return;
    assert(e >= 8 && e < 56);
    auto pawnOf = [this](int sq, int color) { return Color_[sq] == color && Piece_[sq] == Pawn; };
    int file = e % 8;
    int flags = mfPawn | mfCapture | mfEnPassant;
    if (Side_ == White) {
        if (file != 0 && pawnOf(e + 7, White)) AddMove(e + 7, e, flags);
        if (file != 7 && pawnOf(e + 9, White)) AddMove(e + 9, e, flags);
    } else {
        if (file != 0 && pawnOf(e - 9, Black)) AddMove(e - 9, e, flags);
        if (file != 7 && pawnOf(e - 7, Black)) AddMove(e - 7, e, flags);
    }
}

void TChessEngine::GenerateMoves() {
    ListEnd_[Ply_] = ListStart_[Ply_];
    for (TBitboard own = Occupied_[Side_]; own;) {
        int from = PopLowest(own);
        int piece = Piece_[from];
        if (piece == Pawn)
            AddPawnMoves(from, false);
        else
            AddPieceMoves(from, piece);
    }
    AddCastling();
    AddEnPassant();
    ListStart_[Ply_ + 1] = ListEnd_[Ply_];
}

void TChessEngine::GenerateCaptures() {
    ListEnd_[Ply_] = ListStart_[Ply_];
    // Only pawns next to an enemy piece or on their seventh (or last) rank can
    // add anything; pieces are skipped when nothing of the enemy is in reach.
    TBitboard enemy = Occupied_[XSide_];
    TBitboard pawns = Pieces_[Side_][Pawn];
    TBitboard notH = ~FileMask(7), notA = ~FileMask(0);
    TBitboard pawnsThatMay =
        Side_ == White ? pawns & (((enemy & notH) << 9) | ((enemy & notA) << 7) | 0xFFFFull)
                       : pawns & (((enemy & notH) >> 7) | ((enemy & notA) >> 9) | 0xFFFFull << 48);
    for (TBitboard own = (Occupied_[Side_] & ~pawns) | pawnsThatMay; own;) {
        int from = PopLowest(own);
        int piece = Piece_[from];
        if (piece == Pawn) {
            AddPawnMoves(from, true);
            continue;
        }
        TBitboard reach = piece == Knight   ? KnightTargets_[from]
                          : piece == King   ? KingTargets_[from]
                          : piece == Bishop ? LineMask_[0][from]
                          : piece == Rook   ? LineMask_[1][from]
                                            : LineMask_[0][from] | LineMask_[1][from];
        if (reach & enemy) AddPieceCaptures(from, piece);
    }
    AddEnPassant();
    ListStart_[Ply_ + 1] = ListEnd_[Ply_];
}

std::vector<TMoveEntry> TChessEngine::GeneratedMoves() {
    if (Ply_ >= MaxPly - 1 || ListStart_[Ply_] > MoveStackSize) return {};
    GenerateMoves();
    return CurrentList();
}

std::vector<TMoveEntry> TChessEngine::GeneratedCaptures() {
    if (Ply_ >= MaxPly - 1 || ListStart_[Ply_] > MoveStackSize) return {};
    GenerateCaptures();
    return CurrentList();
}

std::vector<TMoveEntry> TChessEngine::CurrentList() const {
    std::vector<TMoveEntry> list;
    for (int i = ListStart_[Ply_]; i < ListEnd_[Ply_]; ++i) list.push_back({Moves_[i], Scores_[i]});
    return list;
}
