// What MakeMove asks of the view, and the game-over flag its handlers see.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/rules/ChessGame.h"
#include "tests/support/PositionText.h"

namespace {

std::string Name(Square sq) {
    return {char(TChessGame::FileOf(sq) + 'A' - 1), char(TChessGame::RankOf(sq) + '0')};
}

// Writes down every view call in order.
class TViewLog : public TChessGame {
public:
    std::vector<std::string> Calls;
    void Drag(Square from, Square to) { SetDragSquares(from, to); }

protected:
    void DrawSquare(Square sq) override { Calls.push_back("square " + Name(sq)); }
    void DrawPiece(Square sq, char c) override {
        Calls.push_back("piece " + Name(sq) + " " + std::string(1, c));
    }
    void DrawGridLines() override { Calls.push_back("lines"); }
    void AnimateMove(Square a, Square b, int delay) override {
        Calls.push_back("animate " + Name(a) + " " + Name(b) + " " + std::to_string(delay));
    }
};

using Calls = std::vector<std::string>;

TEST(MakeMoveView, PlainMoveIsAnimatedBetweenTheTwoSquares) {
    TViewLog game;
    game.SetAnimationDelay(3);
    ASSERT_TRUE(game.MakeMove(E2, E4));
    EXPECT_EQ(game.Calls,
              (Calls{"square E2", "lines", "animate E2 E4 3", "square E4", "piece E4 P", "lines"}));
}

TEST(MakeMoveView, TheMoveJustDraggedIsNotAnimated) {
    TViewLog game;
    game.Drag(E2, E4);
    ASSERT_TRUE(game.MakeMove(E2, E4));
    EXPECT_EQ(game.Calls, (Calls{"square E2", "square E4", "piece E4 P", "lines"}));

    TViewLog still;
    still.SetAnimateMoves(false);
    ASSERT_TRUE(still.MakeMove(G1, F3));
    EXPECT_EQ(still.Calls, (Calls{"square G1", "square F3", "piece F3 N", "lines"}));
}

TEST(MakeMoveView, CastlingEnPassantAndPromotionRepaintTheirExtraSquares) {
    TViewLog castle;
    castle.SetAnimateMoves(false);
    castle.SetPosition("r   k  r" + std::string(48, ' ') + "R   K  R");
    ASSERT_TRUE(castle.MakeMove(E1, G1));
    EXPECT_EQ(castle.Calls, (Calls{"square E1", "square G1", "piece G1 K", "lines", "square H1",
                                   "piece F1 R", "lines"}));

    TViewLog passant;
    passant.SetAnimateMoves(false);
    passant.SetPosition(PositionText({{E8, 'k'}, {E1, 'K'}, {E5, 'P'}, {D7, 'p'}}));
    passant.SetWhiteToMove(false);
    ASSERT_TRUE(passant.MakeMove(D7, D5));
    passant.Calls.clear();
    ASSERT_TRUE(passant.MakeMove(E5, D6));
    EXPECT_EQ(passant.Calls,
              (Calls{"square E5", "square D6", "piece D6 P", "lines", "square D5", "lines"}));

    TViewLog promote;
    promote.SetAnimateMoves(false);
    promote.SetPosition(PositionText({{H8, 'k'}, {E1, 'K'}, {A7, 'P'}}));
    ASSERT_TRUE(promote.MakeMove(A7, A8));
    EXPECT_EQ(promote.Calls, (Calls{"square A7", "square A8", "piece A8 P", "lines", "square A8",
                                    "piece A8 Q", "lines"}));
}

TEST(MakeMoveEvents, GameOverIsSetOnlyWhileAMateOrDrawHandlerRuns) {
    TChessGame game;
    std::vector<bool> seen;
    game.OnCheck = [&](TChessGame& g, Square, Square) { seen.push_back(g.GameOver()); };
    game.OnMate = [&](TChessGame& g, Square, Square) { seen.push_back(g.GameOver()); };
    game.OnPaint = [&](TChessGame& g) { seen.push_back(g.GameOver()); };
    for (auto [a, b] : {std::pair{F2, F3}, {E7, E5}, {G2, G4}, {D8, H4}}) {
        ASSERT_TRUE(game.MakeMove(Square(a), Square(b)));
    }
    // Three quiet moves paint with the flag clear; the mate: check, mate, paint.
    EXPECT_EQ(seen, (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_TRUE(game.GameOver());
    EXPECT_FALSE(game.MakeMove(E2, E4));  // mated: every move refused, and the flag is cleared
    EXPECT_FALSE(game.GameOver());
}

TEST(MakeMoveEvents, WithoutAMateHandlerGameOverStaysClear) {
    TChessGame game;
    for (auto [a, b] : {std::pair{F2, F3}, {E7, E5}, {G2, G4}, {D8, H4}}) {
        ASSERT_TRUE(game.MakeMove(Square(a), Square(b)));
    }
    EXPECT_FALSE(game.GameOver());
}

TEST(MakeMoveEvents, PromotionHandlerMayOnlyChooseAPiece) {
    struct Case {
        char Chosen;
        char Expected;
    };
    for (const Case& c : {Case{'n', 'N'}, Case{'R', 'R'}, Case{'b', 'B'}, Case{'x', 'Q'},
                          Case{'k', 'Q'}, Case{'p', 'Q'}, Case{' ', 'Q'}}) {
        TChessGame game;
        game.SetPosition(PositionText({{H8, 'k'}, {E1, 'K'}, {A7, 'P'}}));
        game.OnPromotion = [&](TChessGame&, Square, Square, char& piece) { piece = c.Chosen; };
        ASSERT_TRUE(game.MakeMove(A7, A8));
        EXPECT_EQ(game.PieceAt(A8), c.Expected) << c.Chosen;
    }
}

}  // namespace
