// The record beyond its first 256 moves, and a game set up with Black to move.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/rules/ChessGame.h"
#include "tests/support/LongGame.h"
#include "tests/support/PositionText.h"

namespace {

TEST(Record, GrowsPastMove256) {
    TChessGame game;
    // Two kings: nothing to capture, no mate, and thousands of positions.
    game.SetPosition(PositionText({{E8, 'k'}, {E1, 'K'}}));
    game.SetCastlingAllowed(0);
    ASSERT_TRUE(PlayLongGame(game, 300));
    const int halfMoves = 2 * (game.CurrentMove() - 1) + (game.WhiteToMove() ? 0 : 1);

    std::vector<std::string> lines;
    game.GetMoveList(lines);
    ASSERT_EQ(int(lines.size()), halfMoves);
    EXPECT_EQ(lines[2 * 299].substr(0, 5), "300. ");

    // Step back across the old limit and forward again.
    const std::string end = game.Position();
    ASSERT_TRUE(game.GotoMove(250, true));
    EXPECT_EQ(game.CurrentMove(), 250);
    ASSERT_TRUE(game.GotoMove(game.LastMove(), game.LastWhiteToMove()));
    EXPECT_EQ(game.Position(), end);
    EXPECT_FALSE(game.ForwardMove());
}

TEST(Record, BeforeTheFirstMoveOnlyTheBoardsOwnPositionCanBeShown) {
    TChessGame game;
    ASSERT_TRUE(game.MakeMove(E2, E4));
    game.NewGame();  // the table still holds the old game's entries
    const std::string setUp = "k" + std::string(62, ' ') + "K";
    game.SetPosition(setUp);
    EXPECT_TRUE(game.GotoMove(1, true));
    EXPECT_EQ(game.Position(), setUp);
    EXPECT_FALSE(game.GotoMove(1, false));
    EXPECT_EQ(game.Position(), setUp);
    EXPECT_TRUE(game.WhiteToMove());
}

TEST(Record, GameSetUpWithBlackToMoveStartsAtBlacksHalfMove) {
    TChessGame game;
    game.SetWhiteToMove(false);
    ASSERT_TRUE(game.MakeMove(E7, E5));
    ASSERT_TRUE(game.MakeMove(E2, E4));
    std::vector<std::string> lines;
    game.GetMoveList(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"              E7-E5", "2. E2-E4"}));

    EXPECT_FALSE(game.GotoMove(1, true));  // never recorded
    ASSERT_TRUE(game.TakeBackMove());
    ASSERT_TRUE(game.TakeBackMove());
    EXPECT_EQ(game.Position(), StartPosition);
    EXPECT_FALSE(game.WhiteToMove());
    EXPECT_FALSE(game.TakeBackMove());
}

}  // namespace
