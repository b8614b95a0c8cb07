// FEN set-up and move playing for the engine tests.
#include "tests/engine-literal/FenPosition.h"

#include <cassert>
#include <cctype>
#include <sstream>

namespace {

// Square of a file (0 = A) and rank (1..8).
Square SquareAt(int file, int rank) {
    return Square((8 - rank) * 8 + file + 1);
}

void ReadPlacement(TFenPosition& position, const std::string& placement) {
    for (int i = 0; i < BoardCells; ++i) position.Board[i] = ' ';
    position.Board[BoardCells - 1] = '\0';
    int rank = 8, file = 0;
    for (char c : placement) {
        if (c == '/') {
            --rank;
            file = 0;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            file += c - '0';
        } else {
            assert(file < 8 && rank >= 1);
            position.Board[SquareAt(file, rank)] = c;
            ++file;
        }
    }
    assert(rank == 1 && file == 8);
}

CastleSet ReadCastling(const std::string& text) {
    CastleSet rights = 0;
    for (char c : text) {
        if (c == 'K') rights |= CastleBit(WhiteKingSide);
        if (c == 'Q') rights |= CastleBit(WhiteQueenSide);
        if (c == 'k') rights |= CastleBit(BlackKingSide);
        if (c == 'q') rights |= CastleBit(BlackQueenSide);
    }
    return rights;
}

Square ReadSquare(const std::string& text) {
    if (text.size() != 2) return None;
    return SquareAt(text[0] - 'a', text[1] - '0');
}

std::string SquareText(int index) {
    return {char('a' + index % 8), char('8' - index / 8)};
}

void Put(TFenPosition& position, int index, char piece) {
    position.Board[index + 1] = piece;
}

}  // namespace

TFenPosition PositionFromFen(std::string_view fen) {
    std::istringstream in{std::string(fen)};
    std::string placement, side = "w", castling = "-", enPassant = "-";
    in >> placement >> side >> castling >> enPassant;
    TFenPosition position;
    ReadPlacement(position, placement);
    position.WhiteToMove = side != "b";
    position.CastlingAllowed = ReadCastling(castling);
    position.EnPassant = ReadSquare(enPassant);
    return position;
}

std::string FenOf(const TFenPosition& position) {
    std::string out;
    for (int rank = 8; rank >= 1; --rank) {
        int gap = 0;
        for (int file = 0; file < 8; ++file) {
            const char c = position.Board[SquareAt(file, rank)];
            if (c == ' ') {
                ++gap;
                continue;
            }
            if (gap) out += char('0' + gap);
            gap = 0;
            out += c;
        }
        if (gap) out += char('0' + gap);
        if (rank > 1) out += '/';
    }
    out += position.WhiteToMove ? " w " : " b ";
    const char letters[] = "KQkq";
    std::string rights;
    for (int b = 0; b < 4; ++b)
        if (position.CastlingAllowed & (1 << b)) rights += letters[b];
    out += rights.empty() ? "-" : rights;
    out += ' ';
    out += position.EnPassant == None ? "-" : SquareText(position.EnPassant - 1);
    return out;
}

void PlayMove(TFenPosition& position, TMove move) {
    const int from = move.From, to = move.To;
    const bool white = position.WhiteToMove;
    char piece = position.Board[from + 1];
    if (move.Flags & mfPromotion) {
        const char letters[] = "pnbrqk";
        piece = letters[move.Promote];
        if (white) piece = char(std::toupper(static_cast<unsigned char>(piece)));
    }
    Put(position, from, ' ');
    Put(position, to, piece);
    if (move.Flags & mfEnPassant) Put(position, white ? to + 8 : to - 8, ' ');
    if (move.Flags & mfCastle) {
        // The rook jumps over the king: king side from the H file, queen side
        // from the A file.
        const bool kingSide = to % 8 == 6;
        const int rank = to - to % 8;
        Put(position, rank + (kingSide ? 5 : 3), white ? 'R' : 'r');
        Put(position, rank + (kingSide ? 7 : 0), ' ');
    }

    auto touches = [&](Square sq) { return from == sq - 1 || to == sq - 1; };
    CastleSet& rights = position.CastlingAllowed;
    if (touches(E1) || touches(H1)) rights &= ~CastleBit(WhiteKingSide);
    if (touches(E1) || touches(A1)) rights &= ~CastleBit(WhiteQueenSide);
    if (touches(E8) || touches(H8)) rights &= ~CastleBit(BlackKingSide);
    if (touches(E8) || touches(A8)) rights &= ~CastleBit(BlackQueenSide);

    position.EnPassant = None;
    if (move.Flags & mfDoublePush) position.EnPassant = Square((white ? to + 8 : to - 8) + 1);
    position.WhiteToMove = !white;
}

std::string MoveText(TMove move) {
    std::string text = SquareText(move.From) + SquareText(move.To);
    if (move.Flags & mfPromotion) text += "pnbrqk"[move.Promote];
    return text;
}
