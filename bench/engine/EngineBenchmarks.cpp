// Perft and search speed of the engine; with the reference engine built, the
// same work on it, so that the two are measured side by side in one run.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/ChessEngine.h"
#include "tools/kolvar-engine/UciPosition.h"
#ifdef KOLVAR_WITH_LITERAL_ENGINE
#include "tests/engine-literal/LiteralEngine.h"
#endif

namespace {

const char* const Fens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
};

TUciPosition PositionOf(int index, int depth) {
    TUciPosition position;
    std::string error;
    position.SetFen(Fens[index], error);
    position.SearchDepth = depth;
    return position;
}

template <class TEngine>
void Perft(benchmark::State& state) {
    TUciPosition position = PositionOf(int(state.range(0)), 1);
    auto engine = std::make_unique<TEngine>();
    engine->SetSource(position.Source());
    std::uint64_t leaves = 0;
    for (auto _ : state) {
        engine->LoadBoard();
        leaves += engine->Perft(int(state.range(1)));
    }
    state.counters["moves/s"] = benchmark::Counter(double(leaves), benchmark::Counter::kIsRate);
}

template <class TEngine>
void Think(benchmark::State& state) {
    TUciPosition position = PositionOf(int(state.range(0)), int(state.range(1)));
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        auto engine = std::make_unique<TEngine>();
        engine->SetSource(position.Source());
        engine->Think();
        nodes += engine->Nodes();
    }
    state.counters["nodes/s"] = benchmark::Counter(double(nodes), benchmark::Counter::kIsRate);
}

void PerftArgs(benchmark::internal::Benchmark* b) {
    b->Args({0, 4})->Args({1, 3});
}
void ThinkArgs(benchmark::internal::Benchmark* b) {
    b->Args({0, 4})->Args({0, 5})->Args({1, 4})->Args({2, 4})->Args({3, 6});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(Perft<TChessEngine>)->Apply(PerftArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(Think<TChessEngine>)->Apply(ThinkArgs);
#ifdef KOLVAR_WITH_LITERAL_ENGINE
BENCHMARK(Perft<TLiteralEngine>)->Apply(PerftArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(Think<TLiteralEngine>)->Apply(ThinkArgs);
#endif
