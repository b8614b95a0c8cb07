// Sets of squares as 64-bit words, bit i for square index i (0 = A8, 63 = H1),
// so walking a set from its lowest bit visits squares in ascending index order.
#pragma once

#include <bit>
#include <cstdint>

using TBitboard = std::uint64_t;

inline constexpr TBitboard SquareBit(int sq) {
    return TBitboard{1} << sq;
}

inline int LowestSquare(TBitboard b) {
    return std::countr_zero(b);
}
inline int HighestSquare(TBitboard b) {
    return 63 - std::countl_zero(b);
}

// Removes and returns the lowest square of a non-empty set.
inline int PopLowest(TBitboard& b) {
    int sq = std::countr_zero(b);
    b &= b - 1;
    return sq;
}

inline int CountSquares(TBitboard b) {
    return std::popcount(b);
}

// Bit f of the result is set when the set holds a square on file f.
inline unsigned FilesOf(TBitboard b) {
    b |= b >> 32;
    b |= b >> 16;
    b |= b >> 8;
    return unsigned(b & 0xFF);
}

// The number of squares of a set that lie on one file.
inline int CountOnFile(TBitboard b, int file) {
    TBitboard column = (b >> file) & TBitboard{0x0101010101010101};
    return int((column * TBitboard{0x0101010101010101}) >> 56);
}

inline constexpr TBitboard FileMask(int file) {
    return TBitboard{0x0101010101010101} << file;
}
