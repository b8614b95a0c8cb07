// The shipped engine against the reference engine: the same searches and the
// same perft through both, and the two interleaved in one loop so that the
// ratio does not depend on what else the machine is doing at the time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "engine/ChessEngine.h"
#include "tests/engine-literal/FenPosition.h"
#include "tests/engine-literal/LiteralEngine.h"
#include "tests/engine-literal/Playouts.h"

namespace {

constexpr int SearchDepth = 4;
constexpr int PerftDepth = 4;

// The standard test positions, each searched to SearchDepth.
std::vector<TFenPosition> SearchPositions() {
    std::vector<TFenPosition> positions;
    for (const std::string& fen : StandardFens()) {
        positions.push_back(PositionFromFen(fen));
        positions.back().SearchDepth = SearchDepth;
    }
    return positions;
}

// Searches every position on a fresh engine; returns the nodes.
template <class TEngine>
std::uint64_t SearchAll(const std::vector<TFenPosition>& positions) {
    std::uint64_t nodes = 0;
    for (const TFenPosition& p : positions) {
        auto engine = std::make_unique<TEngine>();
        engine->SetSource(p.Source());
        engine->Think();
        nodes += engine->Nodes();
    }
    return nodes;
}

template <class TEngine>
std::uint64_t StartPerft() {
    static const TFenPosition start = PositionFromFen(StandardFens()[0]);
    auto engine = std::make_unique<TEngine>();
    engine->SetSource(start.Source());
    engine->LoadBoard();
    return engine->Perft(PerftDepth);
}

template <class TEngine>
void BM_Search(benchmark::State& state) {
    const std::vector<TFenPosition> positions = SearchPositions();
    std::uint64_t nodes = 0;
    for (auto _ : state) nodes += SearchAll<TEngine>(positions);
    state.counters["nodes/s"] = benchmark::Counter(double(nodes), benchmark::Counter::kIsRate);
}

template <class TEngine>
void BM_Perft(benchmark::State& state) {
    std::uint64_t leaves = 0;
    for (auto _ : state) leaves += StartPerft<TEngine>();
    state.counters["moves/s"] = benchmark::Counter(double(leaves), benchmark::Counter::kIsRate);
}

template <class F>
double Seconds(F&& work) {
    const auto begin = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// Both engines in turn in every iteration; the counters are fast / literal.
void BM_SearchRatio(benchmark::State& state) {
    const std::vector<TFenPosition> positions = SearchPositions();
    double literalTime = 0, fastTime = 0;
    std::uint64_t literalNodes = 0, fastNodes = 0;
    for (auto _ : state) {
        literalTime += Seconds([&] { literalNodes += SearchAll<TLiteralEngine>(positions); });
        fastTime += Seconds([&] { fastNodes += SearchAll<TChessEngine>(positions); });
    }
    state.counters["fast/literal nodes/s"] =
        (double(fastNodes) / fastTime) / (double(literalNodes) / literalTime);
    state.counters["same nodes"] = literalNodes == fastNodes ? 1 : 0;
}

void BM_PerftRatio(benchmark::State& state) {
    double literalTime = 0, fastTime = 0;
    std::uint64_t literalLeaves = 0, fastLeaves = 0;
    for (auto _ : state) {
        literalTime += Seconds([&] { literalLeaves += StartPerft<TLiteralEngine>(); });
        fastTime += Seconds([&] { fastLeaves += StartPerft<TChessEngine>(); });
    }
    state.counters["fast/literal moves/s"] =
        (double(fastLeaves) / fastTime) / (double(literalLeaves) / literalTime);
    state.counters["same leaves"] = literalLeaves == fastLeaves ? 1 : 0;
}

BENCHMARK(BM_Search<TLiteralEngine>)->Name("Search/literal")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search<TChessEngine>)->Name("Search/fast")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perft<TLiteralEngine>)->Name("Perft/literal")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perft<TChessEngine>)->Name("Perft/fast")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRatio)->Name("SearchRatio")->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_PerftRatio)->Name("PerftRatio")->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
