// Types shared by the board's rules, the engine and the view: squares, piece
// letters, castling rights and the board array's layout.
#pragma once

#include <cstdint>

// A square is one byte: None = 0, then A8 = 1 ... H8 = 8, A7 = 9 ... H1 = 64
// (rank 8 first, files A to H).
using Square = std::uint8_t;

inline constexpr Square None = 0;

// clang-format off
enum : Square {
    A8 = 1, B8, C8, D8, E8, F8, G8, H8,
    A7, B7, C7, D7, E7, F7, G7, H7,
    A6, B6, C6, D6, E6, F6, G6, H6,
    A5, B5, C5, D5, E5, F5, G5, H5,
    A4, B4, C4, D4, E4, F4, G4, H4,
    A3, B3, C3, D3, E3, F3, G3, H3,
    A2, B2, C2, D2, E2, F2, G2, H2,
    A1, B1, C1, D1, E1, F1, G1, H1,
};
// clang-format on

// Castling rights: the set of CanStillCastle values in one byte, bit n for value n.
enum CanStillCastle : std::uint8_t { WhiteKingSide, WhiteQueenSide, BlackKingSide, BlackQueenSide };
using CastleSet = std::uint8_t;

inline constexpr CastleSet CastleBit(CanStillCastle c) {
    return CastleSet(1u << c);
}
inline constexpr CastleSet AllCastlingRights = 0x0F;

// The board array: index 0 a sentinel, 1..64 the squares, 65 the NUL terminator.
inline constexpr int BoardCells = 66;
inline constexpr int SquareCount = 64;

// The start position as a position string (rank 8 first).
inline constexpr char StartPosition[] =
    "rnbqkbnr"
    "pppppppp"
    "        "
    "        "
    "        "
    "        "
    "PPPPPPPP"
    "RNBQKBNR";
