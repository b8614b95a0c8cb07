// The built-in engine on its worker: when it moves, stopping it, and what
// its moves look like to the board's handlers.
#include <gtest/gtest.h>

#include <vector>

#include "tests/play/PlayFixture.h"

namespace {

TEST(BuiltInEngine, AnswersAUserMoveOnlyForItsOwnSide) {
    TComputerGame game;
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(game.UserMove(E2, E4));
    ASSERT_TRUE(PumpUntil([&] { return game.WhiteToMove(); }));
    EXPECT_EQ(HalfMovesPlayed(game), 2);
    ASSERT_TRUE(PumpUntil([&] { return game.Engine()->Suspended(); }));

    // White is the user's: the worker waits and makes no move for White.
    PumpFor(200);
    EXPECT_TRUE(game.WhiteToMove());
    EXPECT_EQ(HalfMovesPlayed(game), 2);
    EXPECT_TRUE(game.Engine()->Suspended());
}

TEST(BuiltInEngine, NeverMovesWhenNobodyIsComputer) {
    TComputerGame game;
    game.StartThinking();  // as the first paint does
    ASSERT_TRUE(game.UserMove(E2, E4));
    PumpFor(200);
    EXPECT_EQ(HalfMovesPlayed(game), 1);
    EXPECT_EQ(game.Engine()->SearchCount(), 0);
    EXPECT_TRUE(game.Engine()->Suspended());
}

TEST(BuiltInEngine, PlaysBothSidesUntilStopped) {
    TComputerGame game;
    game.SetComputerPlaysWhite(true);
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(PumpUntil([&] { return HalfMovesPlayed(game) >= 6; }));
    game.StopThinking();
    EXPECT_TRUE(game.Engine()->Suspended());
    EXPECT_FALSE(game.Thinking());
    const std::string stoppedAt = game.Position();
    const int played = HalfMovesPlayed(game);
    PumpFor(200);
    EXPECT_EQ(game.Position(), stoppedAt);
    EXPECT_EQ(HalfMovesPlayed(game), played);
}

TEST(BuiltInEngine, StopDuringASearchMakesNoMoveAndStartSearchesAnew) {
    TComputerGame game;
    game.SetSearchDepth(8);
    game.SetComputerPlaysWhite(true);
    ASSERT_TRUE(PumpUntil([&] { return game.Thinking(); }));
    game.StopThinking();
    EXPECT_TRUE(game.Engine()->Suspended());
    EXPECT_FALSE(game.Thinking());
    EXPECT_TRUE(game.Halted());
    EXPECT_EQ(game.Position(), StartPosition);
    EXPECT_TRUE(game.WhiteToMove());

    const int searches = game.Engine()->SearchCount();
    game.SetSearchDepth(1);
    game.StartThinking();
    ASSERT_TRUE(PumpUntil([&] { return !game.WhiteToMove(); }));
    EXPECT_EQ(game.Engine()->SearchCount(), searches + 1);
    EXPECT_EQ(HalfMovesPlayed(game), 1);
}

TEST(BuiltInEngine, LeavingTheSideAbandonsTheSearch) {
    TComputerGame game;
    game.SetSearchDepth(8);
    ASSERT_TRUE(game.UserMove(E2, E4));
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(PumpUntil([&] { return game.Thinking(); }));
    game.SetComputerPlaysBlack(false);
    EXPECT_FALSE(game.Thinking());
    PumpFor(200);
    EXPECT_FALSE(game.WhiteToMove());
    EXPECT_EQ(HalfMovesPlayed(game), 1);
}

TEST(BuiltInEngine, ThinkingIsFalseInEveryEventOfItsOwnMove) {
    TComputerGame game;
    std::vector<bool> thinking;
    auto record = [&](TChessGame& g) { thinking.push_back(g.Thinking()); };
    game.OnLegalMove = [&](TChessGame& g, Square, Square) { record(g); };
    game.OnCapture = [&](TChessGame& g, Square, Square, char) { record(g); };
    game.OnCheck = [&](TChessGame& g, Square, Square) { record(g); };
    game.OnPaint = [&](TChessGame& g) { record(g); };
    game.SetComputerPlaysWhite(true);
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(PumpUntil([&] { return HalfMovesPlayed(game) >= 4; }));
    game.StopThinking();
    ASSERT_GE(thinking.size(), 8u);
    for (bool t : thinking) EXPECT_FALSE(t);
}

TEST(BuiltInEngine, NewGameFromAMateHandlerStartsTheNextGameAtOnce) {
    TComputerGame game;
    // White mates with the rook on the back rank.
    game.SetPosition(
        PositionText({{G1, 'K'}, {A1, 'R'}, {G8, 'k'}, {F7, 'p'}, {G7, 'p'}, {H7, 'p'}}));
    game.SetCastlingAllowed(0);
    int mates = 0;
    game.OnMate = [&](TChessGame& g, Square oldSq, Square newSq) {
        ++mates;
        EXPECT_EQ(oldSq, A1);
        EXPECT_EQ(newSq, A8);
        g.NewGame();
    };
    game.SetComputerPlaysWhite(true);
    // The mate, then the new game's first move, both by the engine.
    ASSERT_TRUE(PumpUntil([&] { return mates == 1 && !game.WhiteToMove(); }));
    game.StopThinking();
    EXPECT_EQ(HalfMovesPlayed(game), 1);
    EXPECT_EQ(game.PieceAt(D4), 'P');
    EXPECT_EQ(game.PieceAt(A1), 'R');
}

TEST(BuiltInEngine, AfterADrawEventAChangeStillParksTheSearchingWorker) {
    TComputerGame game;
    // King and bishop against king: every move announces a draw, play goes on.
    game.SetPosition(PositionText({{E1, 'K'}, {C1, 'B'}, {E8, 'k'}}));
    game.SetCastlingAllowed(0);
    game.SetSearchDepth(8);
    int draws = 0;
    game.OnDraw = [&](TChessGame&) { ++draws; };
    game.SetComputerPlaysWhite(true);
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(PumpUntil([&] { return draws >= 1 && game.Thinking(); }));
    ASSERT_TRUE(game.GameOver());  // set by the draw, until the next move begins
    ASSERT_TRUE(game.TakeBackMove());
    EXPECT_TRUE(game.Engine()->Suspended());
    EXPECT_FALSE(game.Thinking());
    EXPECT_EQ(game.Position(), PositionText({{E1, 'K'}, {C1, 'B'}, {E8, 'k'}}));
}

TEST(BuiltInEngine, NoLegalMoveIsNotSearchedAgainAndAgain) {
    TComputerGame game;
    // Black to move is stalemated.
    game.SetPosition(PositionText({{A8, 'k'}, {B6, 'Q'}, {H1, 'K'}}));
    game.SetWhiteToMove(false);
    game.SetComputerPlaysBlack(true);
    ASSERT_TRUE(PumpUntil([&] { return game.Engine()->SearchCount() >= 1; }));
    ASSERT_TRUE(PumpUntil([&] { return game.Engine()->Suspended(); }));
    PumpFor(300);
    EXPECT_EQ(game.Engine()->SearchCount(), 1);
    EXPECT_FALSE(game.WhiteToMove());

    // A change wakes it: the user gives Black a move again.
    game.SetPosition(PositionText({{A8, 'k'}, {C6, 'Q'}, {H1, 'K'}}));
    game.StartThinking();
    ASSERT_TRUE(PumpUntil([&] { return game.WhiteToMove(); }));
    EXPECT_EQ(game.Engine()->SearchCount(), 2);
}

TEST(BuiltInEngine, StopWhileParkedOrNeverStartedReturnsAtOnce) {
    TComputerGame never;
    never.StopThinking();
    EXPECT_TRUE(never.Engine()->Suspended());

    TComputerGame parked;
    parked.StartThinking();
    ASSERT_TRUE(PumpUntil([&] { return parked.Engine()->Suspended(); }));
    parked.StopThinking();
    parked.StopThinking();
    EXPECT_TRUE(parked.Engine()->Suspended());
    EXPECT_TRUE(parked.Halted());
}

TEST(BuiltInEngine, PriorityIsAppliedToTheWorker) {
    TComputerGame game;
    game.SetThinkingPriority(tpLower);
    EXPECT_EQ(game.ThinkingPriority(), tpLower);
    EXPECT_EQ(game.Engine()->Priority(), tpLower);
}

}  // namespace
