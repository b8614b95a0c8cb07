// Builds a position string from a few pieces on an empty board.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "board/types/ChessTypes.h"

inline std::string PositionText(std::initializer_list<std::pair<Square, char>> pieces) {
    std::string text(SquareCount, ' ');
    for (auto [sq, c] : pieces) text[sq - 1] = c;
    return text;
}
