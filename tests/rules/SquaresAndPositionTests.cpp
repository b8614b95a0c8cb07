// Squares, piece sides and the Position text.
#include <gtest/gtest.h>

#include <string>

#include "board/rules/ChessGame.h"

namespace {

TEST(Squares, ConversionsFollowRankEightFirst) {
    struct Case {
        int File, Rank;
        Square Expected;
    };
    const Case cases[] = {{0, 5, None}, {3, 9, None}, {9, 1, None}, {1, 0, None}, {5, 1, E1},
                          {1, 8, A8},   {8, 8, H8},   {1, 1, A1},   {8, 1, H1}};
    for (const Case& c : cases) {
        EXPECT_EQ(TChessGame::SquareFromFileRank(c.File, c.Rank), c.Expected)
            << c.File << "," << c.Rank;
    }
    EXPECT_EQ(E1, 61);
    EXPECT_EQ(TChessGame::FileOf(E1), 5);
    EXPECT_EQ(TChessGame::RankOf(E1), 1);
    EXPECT_EQ(TChessGame::FileOf(H8), 8);
    EXPECT_EQ(TChessGame::RankOf(A8), 8);
}

TEST(Squares, PieceSideByLetter) {
    TChessGame game;
    EXPECT_EQ(game.PieceSide(E1), 1);
    EXPECT_EQ(game.PieceSide(E8), 0);
    EXPECT_EQ(game.PieceSide(E4), -1);
    EXPECT_EQ(game.PieceSide(None), -1);  // the sentinel "_" is no piece
    const std::string letters = "PNBRQKpnbrqk ";
    const int sides[] = {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, -1};
    for (std::size_t i = 0; i < letters.size(); ++i) {
        EXPECT_EQ(TChessGame::SideOfLetter(letters[i]), sides[i]) << letters[i];
    }
}

std::string Spaces(int n) {
    return std::string(n, ' ');
}

TEST(Position, AssignmentFillsSquaresAndSentinel) {
    const std::string start = StartPosition;
    struct Case {
        std::string Value;
        std::string Expected;
        char Sentinel;
    };
    const Case cases[] = {
        {"newgame", start, '_'},
        {"NewGame", start, '_'},
        {"INIT", start, '_'},
        {"rnbqkbnrpppppppp" + Spaces(32) + "PPPPPPPPRNBQKBNR", start, ' '},
        {"k", "k" + Spaces(63), ' '},
        {"", Spaces(64), ' '},
        {"rnbqXbnr", "rnbq bnr" + Spaces(56), ' '},         // an unknown letter leaves E8 empty
        {std::string(70, 'Q'), std::string(64, 'Q'), ' '},  // only 64 characters count
        {std::string("kq\0K", 4), "kq" + Spaces(62), ' '},  // NUL ends the value
    };
    for (const Case& c : cases) {
        TChessGame game;
        game.SetPosition(c.Value);
        EXPECT_EQ(game.Position(), c.Expected) << c.Value;
        EXPECT_EQ(game.Board()[0], c.Sentinel) << c.Value;
        EXPECT_EQ(game.Board()[65], '\0');
    }
}

TEST(Position, AssignmentKeepsTheRestOfTheState) {
    TChessGame game;
    ASSERT_TRUE(game.MakeMove(E2, E4));
    game.SetPosition("k");
    EXPECT_FALSE(game.WhiteToMove());
    EXPECT_EQ(game.CurrentMove(), 1);
    EXPECT_EQ(game.EnPassant(), E3);
    EXPECT_EQ(game.LastMove(), 1);
    EXPECT_FALSE(game.LastWhiteToMove());
}

TEST(NewGame, ResetsStateButNotTheRecordTable) {
    TChessGame game;
    ASSERT_TRUE(game.MakeMove(E2, E4));
    ASSERT_TRUE(game.MakeMove(E7, E5));
    game.SetCastlingAllowed(0);
    game.NewGame();
    EXPECT_EQ(game.Position(), StartPosition);
    EXPECT_EQ(game.Board()[0], '_');
    EXPECT_TRUE(game.WhiteToMove());
    EXPECT_EQ(game.CurrentMove(), 1);
    EXPECT_EQ(game.EnPassant(), None);
    EXPECT_EQ(game.CastlingAllowed(), AllCastlingRights);
    EXPECT_EQ(game.LastMove(), 1);
    EXPECT_TRUE(game.LastWhiteToMove());
    std::vector<std::string> lines;
    game.GetMoveList(lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(game.RecordEntry(1, 0).OldSq, E2);  // the old entries stay in the table
}

}  // namespace
