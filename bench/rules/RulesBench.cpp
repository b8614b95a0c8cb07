// The cost of the board's rules per move: MakeMove early and late in a game,
// and the search for a legal move where there is none.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "board/rules/ChessGame.h"
#include "tests/support/LongGame.h"

namespace {

// MakeMove of one move from the position on the board, taken back outside
// the timing so every iteration makes the same move.
void MakeMoveFrom(benchmark::State& state, TChessGame& game) {
    Square from = None, to = None;
    for (Square a = 1; a <= 64 && from == None; ++a) {
        for (Square b = 1; b <= 64; ++b) {
            if (game.IsLegalMove(a, b)) {
                from = a;
                to = b;
                break;
            }
        }
    }
    if (from == None) {
        state.SkipWithError("no legal move");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.MakeMove(from, to));
        state.PauseTiming();
        game.TakeBackMove();
        state.ResumeTiming();
    }
}

void BM_MakeMoveAtMove1(benchmark::State& state) {
    TChessGame game;
    MakeMoveFrom(state, game);
}
BENCHMARK(BM_MakeMoveAtMove1);

void BM_MakeMoveAtMove200(benchmark::State& state) {
    // Kings, rooks and knights keep enough pieces on the board to be costly
    // and enough room for a long game without repetition.
    TChessGame game;
    game.SetPosition("rn  k nr" + std::string(48, ' ') + "RN  K NR");
    game.SetCastlingAllowed(0);
    if (!PlayLongGame(game, 199)) {
        state.SkipWithError("the long game ended early");
        return;
    }
    const std::string position = game.Position();
    const auto pieces = 64 - std::count(position.begin(), position.end(), ' ');
    state.SetLabel("pieces left: " + std::to_string(pieces));
    MakeMoveFrom(state, game);
}
BENCHMARK(BM_MakeMoveAtMove200);

void BM_HasLegalMoveWhenMated(benchmark::State& state) {
    TChessGame game;
    for (auto [a, b] : {std::pair{F2, F3}, {E7, E5}, {G2, G4}, {D8, H4}}) game.MakeMove(a, b);
    for (auto _ : state) benchmark::DoNotOptimize(game.HasLegalMove());
}
BENCHMARK(BM_HasLegalMoveWhenMated);

}  // namespace
