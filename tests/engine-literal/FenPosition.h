// A position set up from FEN text in the form the engine reads it: the board
// array with its sentinel and terminator, side to move, castling rights and
// en-passant square, plus the search depth; and playing an engine move on it.
#pragma once

#include <string>
#include <string_view>

#include "board/types/ChessTypes.h"
#include "engine/EngineTypes.h"

struct TFenPosition {
    char Board[BoardCells] = {};
    bool WhiteToMove = true;
    CastleSet CastlingAllowed = 0;
    Square EnPassant = None;
    int SearchDepth = 1;

    // The engine keeps these pointers: the position must outlive its use.
    TEngineSource Source() const {
        return TEngineSource{Board, &WhiteToMove, &CastlingAllowed, &EnPassant, &SearchDepth};
    }
};

// Reads the board, side, castling and en-passant fields; the move counters,
// if present, are ignored. Malformed text is a programming error (assert).
TFenPosition PositionFromFen(std::string_view fen);

// The board, side, castling and en-passant fields as FEN text, for messages.
std::string FenOf(const TFenPosition& position);

// Plays a move as the engine records it (flags included) on the position:
// piece, promotion, castling rook, en-passant capture, rights and side.
void PlayMove(TFenPosition& position, TMove move);

// "e2e4", "a7b8q": a move in coordinate notation, for messages.
std::string MoveText(TMove move);
