// The text of kolvar-board's commands and answers: words, numbers, squares
// written like "E2", and characters shown on one line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "board/types/ChessTypes.h"

bool IsBlank(char c);
std::string_view Trim(std::string_view s);
std::vector<std::string_view> SplitWords(std::string_view s);

// The whole text must be a decimal int.
bool ParseInt(std::string_view s, int& value);
// "0" or "1".
bool ParseFlag(std::string_view s, bool& value);
// "E2" or "e2"; with allowNumber also a number 0..64 (0 = None).
bool ParseSquare(std::string_view s, Square& sq, bool allowNumber);

// "E2" for a square on the board, "-" for anything else.
std::string SquareName(Square sq);
// A space is shown as "."; a byte that is no printable character as "?", so
// that every answer stays one line of text.
char Shown(char c);
