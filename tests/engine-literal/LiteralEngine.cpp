// The reference engine's board: geometry tables, loading the position, the
// two move generators, making and taking back moves, and perft.
#include "tests/engine-literal/LiteralEngine.h"

#include <cassert>
#include <utility>

namespace {

constexpr int FileOfIndex(int i) {
    return i % 8;
}
constexpr bool OnBoard(int i) {
    return i >= 0 && i < 64;
}
constexpr int Idx(Square sq) {
    return sq - 1;
}

}  // namespace

TLiteralEngine::TLiteralEngine() {
    InitTables();
}

void TLiteralEngine::InitTables() {
    InitGeometry();
    InitEvalTables();
}

void TLiteralEngine::InitGeometry() {
    for (int e = 0; e < 120; ++e) Mailbox[e] = -1;
    for (int r = 0; r < 8; ++r)
        for (int f = 0; f < 8; ++f) Mailbox[10 * (r + 2) + (f + 1)] = 8 * r + f;
    for (int i = 0; i < 64; ++i) Mailbox64[i] = 21 + 10 * (i / 8) + (i % 8);

    const bool slides[6] = {false, false, true, true, true, false};
    const int counts[6] = {0, 8, 4, 4, 8, 8};
    const int directions[6][8] = {
        {0, 0, 0, 0, 0, 0, 0, 0},         {-21, -19, -12, -8, 8, 12, 19, 21},
        {-11, -9, 9, 11, 0, 0, 0, 0},     {-10, -1, 1, 10, 0, 0, 0, 0},
        {-11, -10, -9, -1, 1, 9, 10, 11}, {-11, -10, -9, -1, 1, 9, 10, 11}};
    for (int p = 0; p < 6; ++p) {
        Slides[p] = slides[p];
        DirectionCount[p] = counts[p];
        for (int d = 0; d < 8; ++d) Directions[p][d] = directions[p][d];
    }

    for (int i = 0; i < 64; ++i) CastleMask[i] = 15;
    CastleMask[Idx(A8)] = 7;
    CastleMask[Idx(E8)] = 3;
    CastleMask[Idx(H8)] = 11;
    CastleMask[Idx(A1)] = 13;
    CastleMask[Idx(E1)] = 12;
    CastleMask[Idx(H1)] = 14;

    const int values[6] = {100, 300, 300, 500, 900, 10000};
    for (int p = 0; p < 6; ++p) PieceValue[p] = values[p];
}

void TLiteralEngine::LoadBoard() {
    assert(Source.Board && Source.WhiteToMove && Source.CastlingAllowed && Source.EnPassant);
    for (int i = 0; i < 64; ++i) {
        const unsigned char c = static_cast<unsigned char>(Source.Board[i + 1]);
        if (c >= 66 && c <= 82)
            Color[i] = White;
        else if (c >= 98 && c <= 114)
            Color[i] = Black;
        else
            Color[i] = Empty;
        const unsigned char lower = (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
        switch (lower) {
            case 'p':
                Piece[i] = Pawn;
                break;
            case 'n':
                Piece[i] = Knight;
                break;
            case 'b':
                Piece[i] = Bishop;
                break;
            case 'r':
                Piece[i] = Rook;
                break;
            case 'q':
                Piece[i] = Queen;
                break;
            case 'k':
                Piece[i] = King;
                break;
            default:
                Piece[i] = Empty;
                break;
        }
    }
    SideToMove = *Source.WhiteToMove ? White : Black;
    XSide = 1 - SideToMove;

    // Rights the position does not bear out (king or rook away from its
    // square) are dropped, so that no castling appears from nowhere.
    auto holds = [this](Square sq, int colour, int piece) {
        return Color[Idx(sq)] == colour && Piece[Idx(sq)] == piece;
    };
    const CastleSet rights = *Source.CastlingAllowed;
    Castle = 0;
    if ((rights & CastleBit(WhiteKingSide)) && holds(E1, White, King) && holds(H1, White, Rook))
        Castle |= 1;
    if ((rights & CastleBit(WhiteQueenSide)) && holds(E1, White, King) && holds(A1, White, Rook))
        Castle |= 2;
    if ((rights & CastleBit(BlackKingSide)) && holds(E8, Black, King) && holds(H8, Black, Rook))
        Castle |= 4;
    if ((rights & CastleBit(BlackQueenSide)) && holds(E8, Black, King) && holds(A8, Black, Rook))
        Castle |= 8;

    EpSquare = int(*Source.EnPassant) - 1;
    Ply = 0;
    ListStart[0] = 0;
}

bool TLiteralEngine::Attacked(int sq, int bySide) const {
    for (int i = 0; i < 64; ++i) {
        if (Color[i] != bySide) continue;
        if (Piece[i] == Pawn) {
            if (bySide == White) {
                if (FileOfIndex(i) != 0 && i - 9 == sq) return true;
                if (FileOfIndex(i) != 7 && i - 7 == sq) return true;
            } else {
                if (FileOfIndex(i) != 0 && i + 7 == sq) return true;
                if (FileOfIndex(i) != 7 && i + 9 == sq) return true;
            }
            continue;
        }
        const int p = Piece[i];
        if (p == Empty) continue;
        for (int d = 0; d < DirectionCount[p]; ++d) {
            int n = i;
            for (;;) {
                n = Mailbox[Mailbox64[n] + Directions[p][d]];
                if (n == -1) break;
                if (n == sq) return true;
                if (Color[n] != Empty) break;
                if (!Slides[p]) break;
            }
        }
    }
    return false;
}

bool TLiteralEngine::InCheck(int side) const {
    for (int i = 0; i < 64; ++i)
        if (Color[i] == side && Piece[i] == King) return Attacked(i, 1 - side);
    return false;
}

void TLiteralEngine::GenerateMoves() {
    ListEnd[Ply] = ListStart[Ply];
    for (int i = 0; i < 64; ++i) {
        if (Color[i] != SideToMove) continue;
        if (Piece[i] == Pawn)
            GeneratePawn(i, false);
        else
            GeneratePiece(i, false);
    }
    GenerateCastling();
    GenerateEnPassant();
    ListStart[Ply + 1] = ListEnd[Ply];
}

void TLiteralEngine::GenerateCaptures() {
    ListEnd[Ply] = ListStart[Ply];
    for (int i = 0; i < 64; ++i) {
        if (Color[i] != SideToMove) continue;
        if (Piece[i] == Pawn)
            GeneratePawn(i, true);
        else
            GeneratePiece(i, true);
    }
    GenerateEnPassant();
    ListStart[Ply + 1] = ListEnd[Ply];
}

// Pawns on their own back rank or beyond cannot arise in a game; the range
// tests only keep such a board from reading outside the arrays.
void TLiteralEngine::GeneratePawn(int i, bool capturesOnly) {
    const int f = FileOfIndex(i);
    if (SideToMove == White) {
        if (f != 0 && OnBoard(i - 9) && Color[i - 9] == Black) AddMove(i, i - 9, 17);
        if (f != 7 && OnBoard(i - 7) && Color[i - 7] == Black) AddMove(i, i - 7, 17);
        if (!OnBoard(i - 8) || Color[i - 8] != Empty) return;
        if (capturesOnly) {
            if (i <= 15) AddMove(i, i - 8, 16);
            return;
        }
        AddMove(i, i - 8, 16);
        if (i >= 48 && Color[i - 16] == Empty) AddMove(i, i - 16, 24);
    } else {
        if (f != 0 && OnBoard(i + 7) && Color[i + 7] == White) AddMove(i, i + 7, 17);
        if (f != 7 && OnBoard(i + 9) && Color[i + 9] == White) AddMove(i, i + 9, 17);
        if (!OnBoard(i + 8) || Color[i + 8] != Empty) return;
        if (capturesOnly) {
            if (i >= 48) AddMove(i, i + 8, 16);
            return;
        }
        AddMove(i, i + 8, 16);
        if (i <= 15 && Color[i + 16] == Empty) AddMove(i, i + 16, 24);
    }
}

void TLiteralEngine::GeneratePiece(int i, bool capturesOnly) {
    const int p = Piece[i];
    if (p == Empty) return;
    for (int d = 0; d < DirectionCount[p]; ++d) {
        int n = i;
        for (;;) {
            n = Mailbox[Mailbox64[n] + Directions[p][d]];
            if (n == -1) break;
            if (Color[n] == XSide) {
                AddMove(i, n, mfCapture);
                break;
            }
            if (Color[n] == SideToMove) break;
            if (!capturesOnly) AddMove(i, n, 0);
            if (!Slides[p]) break;
        }
    }
}

void TLiteralEngine::GenerateCastling() {
    if (SideToMove == White) {
        if (Castle & 1) AddMove(Idx(E1), Idx(G1), mfCastle);
        if (Castle & 2) AddMove(Idx(E1), Idx(C1), mfCastle);
    } else {
        if (Castle & 4) AddMove(Idx(E8), Idx(G8), mfCastle);
        if (Castle & 8) AddMove(Idx(E8), Idx(C8), mfCastle);
    }
}

void TLiteralEngine::GenerateEnPassant() {
    const int e = EpSquare;
    if (e == -1) return;
    const int f = FileOfIndex(e);
    auto pawnOf = [this](int sq, int colour) {
        return OnBoard(sq) && Color[sq] == colour && Piece[sq] == Pawn;
    };
    if (SideToMove == White) {
        if (f != 0 && pawnOf(e + 7, White)) AddMove(e + 7, e, 21);
        if (f != 7 && pawnOf(e + 9, White)) AddMove(e + 9, e, 21);
    } else {
        if (f != 0 && pawnOf(e - 9, Black)) AddMove(e - 9, e, 21);
        if (f != 7 && pawnOf(e - 7, Black)) AddMove(e - 7, e, 21);
    }
}

void TLiteralEngine::AddMove(int from, int to, std::uint8_t flags) {
    if ((flags & mfPawn) &&
        ((SideToMove == White && to <= 7) || (SideToMove == Black && to >= 56))) {
        AddPromotions(from, to, flags);
        return;
    }
    assert(ListEnd[Ply] < MoveStackSize + MaxListLength);
    TMoveEntry& entry = MoveStack[ListEnd[Ply]++];
    entry.Move = TMove{std::uint8_t(from), std::uint8_t(to), 0, flags};
    if (flags & mfCapture)
        entry.Score = 1000000 + 10 * Piece[to] - Piece[from];
    else
        entry.Score = History[from][to];
}

void TLiteralEngine::AddPromotions(int from, int to, std::uint8_t flags) {
    for (int promote = Knight; promote <= Queen; ++promote) {
        assert(ListEnd[Ply] < MoveStackSize + MaxListLength);
        TMoveEntry& entry = MoveStack[ListEnd[Ply]++];
        entry.Move = TMove{std::uint8_t(from), std::uint8_t(to), std::uint8_t(promote),
                           std::uint8_t(flags | mfPromotion)};
        entry.Score = 1000000 + 10 * promote;
    }
}

// The castling king's path: empty and not attacked where the rules demand;
// when it is, the rook is moved across.
bool TLiteralEngine::CastlingPathFree(int to) {
    auto empty = [this](Square sq) { return Color[Idx(sq)] == Empty; };
    auto safe = [this](Square sq) { return !Attacked(Idx(sq), XSide); };
    auto moveRook = [this](Square from, Square to, int colour) {
        Color[Idx(to)] = colour;
        Piece[Idx(to)] = Rook;
        Color[Idx(from)] = Empty;
        Piece[Idx(from)] = Empty;
    };
    if (to == Idx(G1)) {
        if (!(empty(F1) && empty(G1) && safe(F1) && safe(G1))) return false;
        moveRook(H1, F1, White);
    } else if (to == Idx(C1)) {
        if (!(empty(B1) && empty(C1) && empty(D1) && safe(C1) && safe(D1))) return false;
        moveRook(A1, D1, White);
    } else if (to == Idx(G8)) {
        if (!(empty(F8) && empty(G8) && safe(F8) && safe(G8))) return false;
        moveRook(H8, F8, Black);
    } else if (to == Idx(C8)) {
        if (!(empty(B8) && empty(C8) && empty(D8) && safe(C8) && safe(D8))) return false;
        moveRook(A8, D8, Black);
    }
    return true;
}

bool TLiteralEngine::DoMove(TMove m) {
    assert(Ply < MaxPly);
    const int from = m.From, to = m.To;
    if (m.Flags & mfCastle) {
        if (InCheck(SideToMove)) return false;
        if (!CastlingPathFree(to)) return false;
    }

    UndoStack[Ply] = TUndoEntry{m, Piece[to], Castle, EpSquare};
    ++Ply;
    Castle = Castle & CastleMask[from] & CastleMask[to];

    if (m.Flags & mfDoublePush)
        EpSquare = SideToMove == White ? to + 8 : to - 8;
    else
        EpSquare = -1;

    Color[to] = SideToMove;
    Piece[to] = (m.Flags & mfPromotion) ? m.Promote : Piece[from];
    Color[from] = Empty;
    Piece[from] = Empty;

    if (m.Flags & mfEnPassant) {
        const int taken = SideToMove == White ? to + 8 : to - 8;
        Color[taken] = Empty;
        Piece[taken] = Empty;
    }

    std::swap(SideToMove, XSide);
    if (InCheck(XSide)) {
        UndoMove();
        return false;
    }
    return true;
}

void TLiteralEngine::UndoMove() {
    assert(Ply > 0);
    std::swap(SideToMove, XSide);
    --Ply;
    const TUndoEntry& u = UndoStack[Ply];
    Castle = u.Castle;
    EpSquare = u.EpSquare;
    const TMove m = u.Move;
    const int from = m.From, to = m.To;

    Color[from] = SideToMove;
    Piece[from] = (m.Flags & mfPromotion) ? Pawn : Piece[to];

    if (u.Captured == Empty) {
        Color[to] = Empty;
        Piece[to] = Empty;
    } else {
        Color[to] = XSide;
        Piece[to] = u.Captured;
    }

    if (m.Flags & mfCastle) {
        auto rookBack = [this](Square from, Square to) {
            Color[Idx(to)] = SideToMove;
            Piece[Idx(to)] = Rook;
            Color[Idx(from)] = Empty;
            Piece[Idx(from)] = Empty;
        };
        if (to == Idx(G1)) rookBack(F1, H1);
        if (to == Idx(C1)) rookBack(D1, A1);
        if (to == Idx(G8)) rookBack(F8, H8);
        if (to == Idx(C8)) rookBack(D8, A8);
    }

    if (m.Flags & mfEnPassant) {
        const int taken = SideToMove == White ? to + 8 : to - 8;
        Color[taken] = XSide;
        Piece[taken] = Pawn;
    }
}

std::vector<TMoveEntry> TLiteralEngine::CurrentList() const {
    return std::vector<TMoveEntry>(MoveStack + ListStart[Ply], MoveStack + ListEnd[Ply]);
}

std::vector<TMoveEntry> TLiteralEngine::GeneratedMoves() {
    GenerateMoves();
    return CurrentList();
}

std::vector<TMoveEntry> TLiteralEngine::GeneratedCaptures() {
    GenerateCaptures();
    return CurrentList();
}

std::uint64_t TLiteralEngine::Perft(int depth) {
    if (depth == 0) return 1;
    if (PlyLimitReached()) return 0;
    GenerateMoves();
    if (ListOverflowed()) return 0;
    std::uint64_t leaves = 0;
    for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
        if (!DoMove(MoveStack[i].Move)) continue;
        leaves += Perft(depth - 1);
        UndoMove();
    }
    return leaves;
}
