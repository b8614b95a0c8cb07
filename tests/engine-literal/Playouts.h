// Positions that arise in games: random legal playouts from given starting
// positions, reproducible from a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/engine-literal/FenPosition.h"

struct TPlayoutPosition {
    TFenPosition Position;
    std::string Origin;  // the starting FEN and the moves played, for messages
};

// The standard test positions (start position, "kiwipete" and the others)
// as FEN text.
const std::vector<std::string>& StandardFens();

// The legal moves of the position, in the engine's list order.
std::vector<TMove> LegalMoves(const TFenPosition& position);

// `count` positions, each reached by a random legal playout of 0 to
// `maxPlies` half-moves from one of `starts` (taken in turn); a playout ends
// early where no legal move is left.
std::vector<TPlayoutPosition> RandomPlayouts(const std::vector<std::string>& starts, int count,
                                             int maxPlies, std::uint32_t seed);
