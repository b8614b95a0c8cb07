// Moves asked of the host instead of the built-in engine.
#include <gtest/gtest.h>

#include <vector>

#include "tests/play/PlayFixture.h"

namespace {

struct TCustomGame : TComputerGame {
    int Asked = 0;
    std::vector<std::pair<Square, Square>> Failed;
    Square NextFrom = None, NextTo = None;

    TCustomGame() {
        SetCustomEngine(true);
        OnCalculateMove = [this](TChessGame&, Square& oldSq, Square& newSq) {
            ++Asked;
            EXPECT_EQ(oldSq, None);
            EXPECT_EQ(newSq, None);
            oldSq = NextFrom;
            newSq = NextTo;
        };
        OnCalculationFailed = [this](TChessGame&, Square oldSq, Square newSq) {
            Failed.push_back({oldSq, newSq});
        };
    }
};

TEST(CustomEngine, AsksTheHostOnlyWhileNotHalted) {
    TCustomGame game;
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(game.Halted());  // since construction
    game.StartThinking();
    game.HandleMessage();
    game.TimerTick();
    EXPECT_EQ(game.Asked, 0);

    // The user's move lifts the halt; the host answers for Black at once.
    game.NextFrom = E7;
    game.NextTo = E5;
    ASSERT_TRUE(game.UserMove(E2, E4));
    EXPECT_EQ(game.Asked, 1);
    EXPECT_EQ(game.PieceAt(E5), 'p');
    EXPECT_TRUE(game.WhiteToMove());

    // White is the user's: messages and ticks ask nothing.
    game.HandleMessage();
    game.TimerTick();
    EXPECT_EQ(game.Asked, 1);

    game.StopThinking();
    game.SetWhiteToMove(false);
    game.HandleMessage();
    game.TimerTick();
    EXPECT_EQ(game.Asked, 1);                    // halted again
    EXPECT_EQ(game.Engine()->SearchCount(), 0);  // the worker is never used
}

TEST(CustomEngine, RefusedMoveIsReportedWithTheHostsSquaresAndAskedAgain) {
    TCustomGame game;
    game.SetComputerPlaysBlack(true);
    game.NextFrom = E7;
    game.NextTo = E4;  // not a move
    ASSERT_TRUE(game.UserMove(E2, E4));
    ASSERT_EQ(game.Failed.size(), 1u);
    EXPECT_EQ(game.Failed[0], (std::pair<Square, Square>{E7, E4}));
    EXPECT_FALSE(game.WhiteToMove());

    game.TimerTick();
    EXPECT_EQ(game.Asked, 2);
    EXPECT_EQ(game.Failed.size(), 2u);
    game.NextTo = E6;
    game.HandleMessage();
    EXPECT_EQ(game.Asked, 3);
    EXPECT_EQ(game.Failed.size(), 2u);
    EXPECT_TRUE(game.WhiteToMove());
}

TEST(CustomEngine, AHandlerThatStopsPlayGetsNoMoveMade) {
    TCustomGame game;
    game.SetComputerPlaysBlack(true);
    game.OnCalculateMove = [&](TChessGame& g, Square& oldSq, Square& newSq) {
        ++game.Asked;
        oldSq = E7;
        newSq = E5;
        g.StopThinking();
    };
    ASSERT_TRUE(game.UserMove(E2, E4));
    EXPECT_EQ(game.Asked, 1);
    EXPECT_FALSE(game.WhiteToMove());
    EXPECT_TRUE(game.Failed.empty());
}

TEST(CustomEngine, HostThatLeavesTheSquaresIsRefused) {
    TCustomGame game;
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(game.UserMove(E2, E4));
    ASSERT_EQ(game.Failed.size(), 1u);
    EXPECT_EQ(game.Failed[0], (std::pair<Square, Square>{None, None}));
}

TEST(DesignMode, HasNoEngine) {
    TComputerGame game(true);
    EXPECT_EQ(game.Engine(), nullptr);
    EXPECT_FALSE(game.Thinking());
    game.SetComputerPlaysWhite(true);
    game.StartThinking();
    game.StopThinking();
    EXPECT_TRUE(game.Halted());
    EXPECT_EQ(game.Position(), StartPosition);
}

}  // namespace
