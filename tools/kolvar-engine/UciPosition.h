// A position in the board component's form (66-character board, side to move,
// castling rights, en-passant square) as the UCI front end sets it up from FEN
// and from coordinate moves.
#pragma once

#include <string>

#include "board/types/ChessTypes.h"
#include "engine/ChessEngine.h"

struct TUciPosition {
    char Board[BoardCells]{};
    bool WhiteToMove = true;
    CastleSet CastlingAllowed = AllCastlingRights;
    Square EnPassant = None;
    int SearchDepth = 1;

    TUciPosition() { SetStart(); }

    void SetStart();
    // Reads the placement, side, castling and en-passant fields (the move
    // counters are optional and ignored). On failure the position is unchanged
    // and error says why.
    bool SetFen(const std::string& fen, std::string& error);
    // Plays a coordinate move ("e2e4", "e7e8q") through the engine's own
    // generation and DoMove; false if no legal move matches.
    bool PlayMove(TChessEngine& engine, const std::string& text);

    TEngineSource Source() const {
        return TEngineSource{Board, &WhiteToMove, &CastlingAllowed, &EnPassant, &SearchDepth};
    }
};

// "e2e4", with the promotion piece in lower case ("a7a8q").
std::string MoveText(TMove m);
std::string SquareText(int index);
// Square index 0..63 of a name such as "e4", or -1.
int SquareIndex(const std::string& name);
