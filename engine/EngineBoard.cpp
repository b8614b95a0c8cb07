// The engine board: loading it from the board component's fields, the piece
// sets kept beside the two square arrays, and the attack tests.
#include <algorithm>
#include <cassert>

#include "engine/ChessEngine.h"

namespace {

int ColorOfCharacter(char c) {
    if (c >= 'B' && c <= 'R') return White;
    if (c >= 'b' && c <= 'r') return Black;
    return Empty;
}

int PieceOfCharacter(char c) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    switch (c) {
        case 'p':
            return Pawn;
        case 'n':
            return Knight;
        case 'b':
            return Bishop;
        case 'r':
            return Rook;
        case 'q':
            return Queen;
        case 'k':
            return King;
        default:
            return Empty;
    }
}

}  // namespace

void TChessEngine::PutPiece(int sq, int color, int piece) {
    assert(sq >= 0 && sq < 64 && (color == White || color == Black) && piece >= 0 && piece < 6);
    if (Color_[sq] != Empty) ClearSquare(sq);
    Color_[sq] = std::uint8_t(color);
    Piece_[sq] = std::uint8_t(piece);
    Pieces_[color][piece] |= SquareBit(sq);
    Occupied_[color] |= SquareBit(sq);
    PsqSum_[color] += PieceSquare_[color][piece][sq];
}

// Moves the piece on from to the empty square to.
void TChessEngine::MovePiece(int from, int to) {
    assert(Color_[from] != Empty && Color_[to] == Empty);
    int color = Color_[from], piece = Piece_[from];
    TBitboard bits = SquareBit(from) | SquareBit(to);
    Pieces_[color][piece] ^= bits;
    Occupied_[color] ^= bits;
    PsqSum_[color] += PieceSquare_[color][piece][to] - PieceSquare_[color][piece][from];
    Color_[to] = std::uint8_t(color);
    Piece_[to] = std::uint8_t(piece);
    Color_[from] = Piece_[from] = Empty;
}

void TChessEngine::ClearSquare(int sq) {
    assert(sq >= 0 && sq < 64);
    int color = Color_[sq];
    if (color == Empty) return;
    int piece = Piece_[sq];
    Pieces_[color][piece] &= ~SquareBit(sq);
    Occupied_[color] &= ~SquareBit(sq);
    PsqSum_[color] -= PieceSquare_[color][piece][sq];
    Color_[sq] = Empty;
    Piece_[sq] = Empty;
}

void TChessEngine::LoadBoard() {
    assert(Source_.Board && Source_.WhiteToMove && Source_.CastlingAllowed && Source_.EnPassant);
    for (auto& set : Pieces_)
        for (TBitboard& b : set) b = 0;
    Occupied_[White] = Occupied_[Black] = 0;
    PsqSum_[White] = PsqSum_[Black] = 0;
    for (int i = 0; i < 64; ++i) {
        Color_[i] = Piece_[i] = Empty;
        char c = Source_.Board[i + 1];
        int color = ColorOfCharacter(c), piece = PieceOfCharacter(c);
        // A letter with a colour but no piece would index the tables out of range.
        if (color != Empty && piece != Empty) PutPiece(i, color, piece);
    }
    Side_ = *Source_.WhiteToMove ? White : Black;
    XSide_ = 1 - Side_;
    Castle_ = *Source_.CastlingAllowed & AllCastlingRights;
    EpSquare_ = int(*Source_.EnPassant) - 1;
    ValidateCastling();
    ValidateEnPassant();
    Unusual_ = !CheckOrdinary();
    Ply_ = 0;
    ListStart_[0] = 0;
    KnownCheck_[0] = -1;
}

// A right is kept only while its king and rook stand where castling starts, so
// the engine never castles where the board's rules would refuse it.
void TChessEngine::ValidateCastling() {
    auto holds = [this](int sq, int color, int piece) {
        return Color_[sq] == color && Piece_[sq] == piece;
    };
    if (!holds(E1 - 1, White, King)) Castle_ &= ~3;
    if (!holds(H1 - 1, White, Rook)) Castle_ &= ~1;
    if (!holds(A1 - 1, White, Rook)) Castle_ &= ~2;
    if (!holds(E8 - 1, Black, King)) Castle_ &= ~12;
    if (!holds(H8 - 1, Black, Rook)) Castle_ &= ~4;
    if (!holds(A8 - 1, Black, Rook)) Castle_ &= ~8;
}

// The square must be the one an enemy pawn has just passed over: empty, on the
// rank behind that pawn, so that taking it empties the pawn's square.
void TChessEngine::ValidateEnPassant() {
    int e = EpSquare_;
    bool sound = false;
    if (Side_ == White && e >= A6 - 1 && e <= H6 - 1)
        sound = Color_[e] == Empty && Color_[e + 8] == Black && Piece_[e + 8] == Pawn;
    if (Side_ == Black && e >= A3 - 1 && e <= H3 - 1)
        sound = Color_[e] == Empty && Color_[e - 8] == White && Piece_[e - 8] == Pawn;
    if (!sound) EpSquare_ = -1;
}

bool TChessEngine::CheckOrdinary() const {
    constexpr TBitboard backRanks = 0xFF000000000000FFull;
    for (int c = White; c <= Black; ++c) {
        if (CountSquares(Pieces_[c][King]) != 1) return false;
        if (CountSquares(Occupied_[c]) > 16 || CountSquares(Pieces_[c][Pawn]) > 8) return false;
        if (Pieces_[c][Pawn] & backRanks) return false;
        int promoted = 0;
        for (int piece = Knight; piece <= Queen; ++piece)
            promoted += std::max(0, CountSquares(Pieces_[c][piece]) - (piece == Queen ? 1 : 2));
        if (promoted > 8 - CountSquares(Pieces_[c][Pawn])) return false;
    }
    return true;
}

bool TChessEngine::Attacked(int sq, int bySide) const {
    assert(sq >= 0 && sq < 64 && (bySide == White || bySide == Black));
    const TBitboard* p = Pieces_[bySide];
    if ((PawnAttackers_[bySide][sq] & p[Pawn]) || (KnightTargets_[sq] & p[Knight]) ||
        (KingTargets_[sq] & p[King]))
        return true;
    // A slider on a line through sq reaches it when nothing stands between.
    TBitboard sliders =
        ((p[Bishop] | p[Queen]) & LineMask_[0][sq]) | ((p[Rook] | p[Queen]) & LineMask_[1][sq]);
    TBitboard occupied = Occupied_[White] | Occupied_[Black];
    while (sliders)
        if (!(Between_[sq][PopLowest(sliders)] & occupied)) return true;
    return false;
}

// The first king by square index counts; without one the side is never in check.
bool TChessEngine::InCheck(int side) const {
    TBitboard kings = Pieces_[side][King];
    return kings && Attacked(LowestSquare(kings), 1 - side);
}

TChessEngine::TBoardState TChessEngine::BoardState() const {
    TBoardState s{};
    for (int i = 0; i < 64; ++i) {
        s.Color[i] = Color_[i];
        s.Piece[i] = Piece_[i];
    }
    s.Side = Side_;
    s.XSide = XSide_;
    s.Castle = Castle_;
    s.EpSquare = EpSquare_;
    s.Ply = Ply_;
    return s;
}

void TChessEngine::ExportPosition(char* board, bool& whiteToMove, CastleSet& castling,
                                  Square& enPassant) const {
    static constexpr char letters[2][7] = {"PNBRQK", "pnbrqk"};
    board[0] = ' ';
    for (int i = 0; i < 64; ++i)
        board[i + 1] = Color_[i] == Empty ? ' ' : letters[Color_[i]][Piece_[i]];
    board[65] = '\0';
    whiteToMove = Side_ == White;
    castling = CastleSet(Castle_);
    enPassant = EpSquare_ < 0 ? None : Square(EpSquare_ + 1);
}
