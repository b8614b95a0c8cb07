// The fixed bench: a few positions of every phase searched to one depth, each
// on a fresh engine. The total node count is the search's signature: it
// changes only when results change. Written for any engine with the search
// engine's interface, so a reference engine can be measured the same way.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "tools/kolvar-engine/UciPosition.h"

inline const char* const BenchPositions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/5pk1/6p1/8/3R4/6P1/5PK1/2r5 b - - 0 40",
};

struct TBenchResult {
    std::uint64_t Nodes = 0;
    std::int64_t Milliseconds = 0;
    std::uint64_t NodesPerSecond() const {
        return Nodes * 1000 / std::uint64_t(std::max<std::int64_t>(1, Milliseconds));
    }
};

// Prints one line per position, then the totals.
template <class TEngine>
TBenchResult RunBenchWith(std::ostream& out, int depth) {
    TBenchResult result;
    const auto start = std::chrono::steady_clock::now();
    int index = 0;
    for (const char* fen : BenchPositions) {
        TUciPosition position;
        std::string error;
        position.SetFen(fen, error);
        position.SearchDepth = depth;
        auto engine = std::make_unique<TEngine>();
        engine->SetSource(position.Source());
        engine->Think();
        result.Nodes += engine->Nodes();
        out << "info string bench position " << ++index << " bestmove "
            << MoveText(engine->BestMove()) << " nodes " << engine->Nodes() << '\n';
    }
    result.Milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count();
    out << "Total nodes: " << result.Nodes << '\n'
        << "Time (ms): " << result.Milliseconds << '\n'
        << "Nodes/second: " << result.NodesPerSecond() << '\n'
        << std::flush;
    return result;
}
