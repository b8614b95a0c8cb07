// Plays long games on the board's rules without a threefold repetition, for
// tests and benchmarks of late-game behaviour.
#pragma once

#include <map>
#include <string>

#include "board/rules/ChessGame.h"

// Plays the legal move whose position text has been seen least often (the
// first in square order among equals), never one seen twice already, so no
// position occurs a third time; captures only when nothing else is left, so
// the pieces stay on the board. Answers false when no such move is left.
inline bool PlayLeastSeenMove(TChessGame& game, std::map<std::string, int>& seen) {
    Square bestFrom = None, bestTo = None;
    int bestRank = 1000;
    for (Square from = 1; from <= 64; ++from) {
        if (game.PieceSide(from) != (game.WhiteToMove() ? 1 : 0)) continue;
        for (Square to = 1; to <= 64; ++to) {
            if (!game.IsLegalMove(from, to)) continue;
            const bool capture = game.PieceAt(to) != ' ';
            if (!game.MakeMove(from, to)) continue;
            const int count = seen[game.Position()];
            game.TakeBackMove();
            const int rank = count + (capture ? 10 : 0);
            if (count < 2 && rank < bestRank) {
                bestRank = rank;
                bestFrom = from;
                bestTo = to;
            }
        }
    }
    if (bestFrom == None || !game.MakeMove(bestFrom, bestTo)) return false;
    ++seen[game.Position()];
    return true;
}

// Plays until the move number passes lastMove or no move is left; answers
// whether it got there.
inline bool PlayLongGame(TChessGame& game, int lastMove) {
    std::map<std::string, int> seen;
    ++seen[game.Position()];
    while (game.CurrentMove() <= lastMove) {
        if (!PlayLeastSeenMove(game, seen)) return false;
    }
    return true;
}
