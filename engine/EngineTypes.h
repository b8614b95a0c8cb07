// What the engine shares with its callers: the move record, its flags, where
// the engine reads the position from, and the report of a finished iteration.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>

#include "board/types/ChessTypes.h"

// Square indices 0..63 are Square - 1 (0 = A8, 63 = H1).
// Piece codes: 0 pawn, 1 knight, 2 bishop, 3 rook, 4 queen, 5 king, 6 empty.
// Colour codes: 0 White, 1 Black, 6 empty.
inline constexpr int White = 0, Black = 1, Empty = 6;
inline constexpr int Pawn = 0, Knight = 1, Bishop = 2, Rook = 3, Queen = 4, King = 5;

inline constexpr std::uint8_t mfCapture = 1, mfCastle = 2, mfEnPassant = 4, mfDoublePush = 8,
                              mfPawn = 16, mfPromotion = 32;

// Four bytes, stored, copied and compared as one 32-bit value.
struct TMove {
    std::uint8_t From = 0;
    std::uint8_t To = 0;
    std::uint8_t Promote = 0;  // piece code 1..4 of a promotion, else 0
    std::uint8_t Flags = 0;

    std::uint32_t Bits() const {
        std::uint32_t v;
        std::memcpy(&v, this, sizeof v);
        return v;
    }
    friend bool operator==(TMove a, TMove b) { return a.Bits() == b.Bits(); }
};
static_assert(sizeof(TMove) == 4);

// One entry of a move list: the move and its ordering score.
struct TMoveEntry {
    TMove Move;
    std::int32_t Score = 0;
};

// Where a search reads the position and the depth: fields of the board
// component (or of a tool that stands in for it), read at the start of a search.
struct TEngineSource {
    const char* Board = nullptr;  // 66 characters, [1..64] the squares
    const bool* WhiteToMove = nullptr;
    const CastleSet* CastlingAllowed = nullptr;
    const Square* EnPassant = nullptr;
    const int* SearchDepth = nullptr;
};

// Called after each completed iteration with the root's score, the nodes of
// this search so far and the principal variation.
using TIterationCallback = std::function<void(int depth, int score, std::uint64_t nodes,
                                              const TMove* pv, int pvLength)>;
