// Destroying the board in every state of its worker ends the worker cleanly.
#include <gtest/gtest.h>

#include <memory>

#include "tests/play/PlayFixture.h"

namespace {

TEST(Lifetime, DestroyedWithTheWorkerNeverStarted) {
    auto game = std::make_unique<TComputerGame>();
    game.reset();
}

TEST(Lifetime, DestroyedWithTheWorkerParked) {
    auto game = std::make_unique<TComputerGame>();
    game->StartThinking();
    ASSERT_TRUE(PumpUntil([&] { return game->Engine()->Suspended(); }));
    game.reset();
}

TEST(Lifetime, DestroyedWhileSearching) {
    auto game = std::make_unique<TComputerGame>();
    game->SetSearchDepth(8);
    game->SetComputerPlaysWhite(true);
    ASSERT_TRUE(PumpUntil([&] { return game->Thinking(); }));
    game.reset();
}

TEST(Lifetime, DestroyedWhileTheMoveWaitsForTheMainThread) {
    auto game = std::make_unique<TComputerGame>();
    game->SetComputerPlaysWhite(true);
    // Never pumped: the worker's move (or its wait) stays queued and is dropped.
    PumpUntil([&] { return !game->Thinking(); }, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    game.reset();
}

TEST(Lifetime, DestroyedWithTheCustomEngineOn) {
    auto game = std::make_unique<TComputerGame>();
    game->StartThinking();
    ASSERT_TRUE(PumpUntil([&] { return game->Engine()->Suspended(); }));
    game->SetCustomEngine(true);
    game.reset();

    auto searching = std::make_unique<TComputerGame>();
    searching->SetSearchDepth(8);
    searching->SetComputerPlaysWhite(true);
    ASSERT_TRUE(PumpUntil([&] { return searching->Thinking(); }));
    searching->SetCustomEngine(true);  // stops nothing
    searching->SetPosition("k");       // but a change of position parks the worker first
    EXPECT_TRUE(searching->Engine()->Suspended());
    EXPECT_FALSE(searching->Thinking());
    searching.reset();
}

}  // namespace
