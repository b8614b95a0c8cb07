// Computer play as the user feels it: the CPU an idle game uses, the time
// from StartThinking to the engine's move, and how fast a stop is obeyed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "board/play/ComputerGame.h"
#include "platform/core/MainThreadDispatcher.h"

namespace {

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

template <class Condition>
void PumpUntil(Condition condition) {
    while (!condition()) ProcessMessages();
}

// Both sides human, the worker started as the first paint starts it: the
// share of one core the whole process uses over five seconds.
void BM_IdleGameCpu(benchmark::State& state) {
    for (auto _ : state) {
        TComputerGame game;
        game.StartThinking();
        PumpUntil([&] { return game.Engine()->Suspended(); });
        const double before = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(5));
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - before) / wall;
    }
}
BENCHMARK(BM_IdleGameCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// From StartThinking, with the computer to move in the start position, to the
// engine's move made on the board.
void BM_MoveFromStart(benchmark::State& state) {
    TComputerGame game;
    game.SetSearchDepth(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        game.NewGame();
        state.ResumeTiming();
        game.SetComputerPlaysWhite(true);
        PumpUntil([&] { return !game.WhiteToMove(); });
        state.PauseTiming();
        game.SetComputerPlaysWhite(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MoveFromStart)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

// From StopThinking, 200 ms into a depth-8 search, until it returns.
void BM_StopDuringDepth8Search(benchmark::State& state) {
    TComputerGame game;
    game.SetSearchDepth(8);
    for (auto _ : state) {
        state.PauseTiming();
        game.SetComputerPlaysWhite(true);
        PumpUntil([&] { return game.Thinking(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        state.ResumeTiming();
        game.StopThinking();
        state.PauseTiming();
        game.SetComputerPlaysWhite(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StopDuringDepth8Search)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
