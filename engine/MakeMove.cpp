// Making and taking back a move on the engine board. Legality is decided
// here: a move that leaves the mover's king attacked, or a castling out of,
// through or into check, is refused with the board unchanged.
#include <cassert>

#include "engine/ChessEngine.h"

namespace {

struct TCastlingRook {
    int From, To;
};

// The rook's move that goes with the king's move to the given square.
TCastlingRook CastlingRook(int kingTo) {
    switch (kingTo + 1) {
        case G1:
            return {H1 - 1, F1 - 1};
        case C1:
            return {A1 - 1, D1 - 1};
        case G8:
            return {H8 - 1, F8 - 1};
        case C8:
            return {A8 - 1, D8 - 1};
        default:
            return {-1, -1};
    }
}

}  // namespace

// The squares between king and rook must be empty, and those the king
// crosses or lands on not attacked (B1 and B8 may be).
bool TChessEngine::CastlingPathClear(int to) const {
    auto empty = [this](Square sq) { return Color_[sq - 1] == Empty; };
    auto safe = [this](Square sq) { return !Attacked(sq - 1, XSide_); };
    switch (to + 1) {
        case G1:
            return empty(F1) && empty(G1) && safe(F1) && safe(G1);
        case C1:
            return empty(B1) && empty(C1) && empty(D1) && safe(C1) && safe(D1);
        case G8:
            return empty(F8) && empty(G8) && safe(F8) && safe(G8);
        case C8:
            return empty(B8) && empty(C8) && empty(D8) && safe(C8) && safe(D8);
        default:
            return true;
    }
}

void TChessEngine::MoveCastlingRook(int kingTo) {
    TCastlingRook rook = CastlingRook(kingTo);
    if (rook.From < 0) return;
    PutPiece(rook.To, Side_, Rook);
    ClearSquare(rook.From);
}

bool TChessEngine::DoMove(TMove m) {
    int from = m.From, to = m.To, flags = m.Flags;
    assert(from < 64 && to < 64);
    if (Ply_ >= MaxPly - 1) return false;  // the per-ply tables are full
    // Unless the king was in check, moves, or a line to it opens (en passant
    // may open two), the move cannot leave it attacked.
    TBitboard kings = Pieces_[Side_][King];
    bool needsTest =
        KnownCheck_[Ply_] != 0 || Piece_[from] == King || (flags & (mfEnPassant | mfCastle)) ||
        (kings && ((LineMask_[0][LowestSquare(kings)] | LineMask_[1][LowestSquare(kings)]) &
                   SquareBit(from)));
    if (flags & mfCastle) {
        if (InCheck(Side_) || !CastlingPathClear(to)) return false;
        MoveCastlingRook(to);
    }

    TUndo& undo = UndoStack_[Ply_++];
    undo.Move = m;
    undo.Captured = Piece_[to];
    undo.Castle = Castle_;
    undo.EpSquare = EpSquare_;

    Castle_ &= CastleMask_[from] & CastleMask_[to];
    EpSquare_ = (flags & mfDoublePush) ? (Side_ == White ? to + 8 : to - 8) : -1;

    if (flags & mfPromotion) {
        ClearSquare(from);
        PutPiece(to, Side_, m.Promote);
    } else {
        ClearSquare(to);
        MovePiece(from, to);
    }
    if (flags & mfEnPassant) ClearSquare(Side_ == White ? to + 8 : to - 8);

    XSide_ = Side_;
    Side_ = 1 - Side_;
    if (needsTest && InCheck(XSide_)) {
        UndoMove();
        return false;
    }
    KnownCheck_[Ply_] = -1;
    return true;
}

void TChessEngine::UndoMove() {
    assert(Ply_ > 0);
    Side_ = XSide_;
    XSide_ = 1 - Side_;
    const TUndo& undo = UndoStack_[--Ply_];
    Castle_ = undo.Castle;
    EpSquare_ = undo.EpSquare;
    TMove m = undo.Move;
    int from = m.From, to = m.To;

    if (m.Flags & mfPromotion) {
        PutPiece(from, Side_, Pawn);
        ClearSquare(to);
    } else {
        MovePiece(to, from);
    }
    if (undo.Captured != Empty) PutPiece(to, XSide_, undo.Captured);

    if (m.Flags & mfCastle) {
        TCastlingRook rook = CastlingRook(to);
        if (rook.From >= 0) {
            PutPiece(rook.From, Side_, Rook);
            ClearSquare(rook.To);
        }
    }
    if (m.Flags & mfEnPassant) PutPiece(Side_ == White ? to + 8 : to - 8, XSide_, Pawn);
}
