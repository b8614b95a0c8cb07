// Construction defaults and the assignment rules of the board's settings.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "board/rules/ChessGame.h"

namespace {

// Counts the calls the rules make to computer play and to the view.
class TCountingGame : public TChessGame {
public:
    int Stops = 0, Starts = 0, Paints = 0;
    int Width = 0;
    void StopThinking() override {
        ++Stops;
        TChessGame::StopThinking();
    }
    void StartThinking() override { ++Starts; }
    void Paint() override { ++Paints; }

protected:
    void ControlSizeChanged(int width, int) override { Width = width; }
};

TEST(Construction, Defaults) {
    TChessGame game;
    EXPECT_EQ(game.Position(), StartPosition);
    EXPECT_EQ(game.Board()[0], '_');
    EXPECT_TRUE(game.WhiteToMove());
    EXPECT_EQ(game.CurrentMove(), 1);
    EXPECT_EQ(game.CastlingAllowed(), AllCastlingRights);
    EXPECT_EQ(game.EnPassant(), None);
    EXPECT_EQ(game.PromotionPiece(), 'q');
    EXPECT_TRUE(game.Halted());  // the reset in the constructor halts computer play
    EXPECT_FALSE(game.GameOver());
    EXPECT_TRUE(game.AnimateMoves());
    EXPECT_EQ(game.AnimationDelay(), 0);
    EXPECT_EQ(game.SizeOfSquare(), 40);
    EXPECT_EQ(game.SizeOfBorder(), 24);
    EXPECT_EQ(game.BoardLeft(), 24);
    EXPECT_EQ(game.SquareColorDark(), 0x808080u);
    EXPECT_EQ(game.SquareColorLight(), 0xC0C0C0u);
    EXPECT_EQ(game.BorderColor(), 0u);
    EXPECT_EQ(game.SearchDepth(), 1);
    EXPECT_EQ(game.ThinkingPriority(), tpNormal);
    EXPECT_FALSE(game.ComputerPlaysWhite());
    EXPECT_FALSE(game.ComputerPlaysBlack());
    EXPECT_FALSE(game.CustomEngine());
    EXPECT_FALSE(game.Thinking());
    EXPECT_EQ(game.ResizeMinSize(), 100);
    EXPECT_EQ(game.ResizeMaxSize(), 1000);
    EXPECT_EQ(game.Version(), "");
}

TEST(Settings, ClampedAndIgnoredValues) {
    struct Case {
        int Value, Expected;
    };
    for (const Case& c :
         {Case{0, 1}, Case{-5, 1}, Case{1, 1}, Case{5, 5}, Case{8, 8}, Case{9, 8}, Case{12, 8}}) {
        TChessGame game;
        game.SetSearchDepth(c.Value);
        EXPECT_EQ(game.SearchDepth(), c.Expected) << c.Value;
    }

    TChessGame game;
    game.SetResizeMinSize(2000);
    EXPECT_EQ(game.ResizeMinSize(), 1000);
    TChessGame other;
    other.SetResizeMaxSize(50);
    EXPECT_EQ(other.ResizeMaxSize(), 100);

    game.SetCurrentMove(7);
    EXPECT_EQ(game.CurrentMove(), 1);
    game.SetVersion("1.0");
    EXPECT_EQ(game.Version(), "");
    game.SetThinking(true);
    EXPECT_FALSE(game.Thinking());
}

TEST(Settings, EnPassantOnlyOnRanksThreeAndSix) {
    struct Case {
        Square Value;
        Square Expected;
    };
    // Each assignment follows a valid E3, so an ignored value leaves E3.
    const Case cases[] = {{A6, A6},   {H6, H6}, {A3, A3}, {H3, H3}, {E4, E3},
                          {None, E3}, {H7, E3}, {B2, E3}, {65, E3}, {255, E3}};
    for (const Case& c : cases) {
        TChessGame game;
        game.SetEnPassant(E3);
        game.SetEnPassant(c.Value);
        EXPECT_EQ(game.EnPassant(), c.Expected) << int(c.Value);
    }
}

TEST(Settings, SizesSetTheControlWidth) {
    TCountingGame game;
    game.SetSizeOfSquare(54);
    EXPECT_EQ(game.Width, 8 * 54 + 2 * 24);
    game.SetSizeOfBorder(10);
    EXPECT_EQ(game.BoardLeft(), 10);
    EXPECT_EQ(game.BoardTop(), 10);
    EXPECT_EQ(game.Width, 8 * 54 + 2 * 10);
}

TEST(Settings, WhichAssignmentsStopAndRestartTheComputer) {
    struct Case {
        const char* Name;
        std::function<void(TChessGame&)> Assign;
        int Stops, Starts;
    };
    const Case cases[] = {
        {"Position", [](TChessGame& g) { g.SetPosition("k"); }, 1, 0},
        {"WhiteToMove", [](TChessGame& g) { g.SetWhiteToMove(false); }, 1, 0},
        {"EnPassant valid", [](TChessGame& g) { g.SetEnPassant(E6); }, 1, 0},
        {"EnPassant ignored", [](TChessGame& g) { g.SetEnPassant(E4); }, 0, 0},
        {"ComputerPlaysWhite", [](TChessGame& g) { g.SetComputerPlaysWhite(true); }, 1, 1},
        {"ComputerPlaysBlack", [](TChessGame& g) { g.SetComputerPlaysBlack(true); }, 1, 1},
        {"ResetGame", [](TChessGame& g) { g.ResetGame(); }, 1, 0},
        {"CastlingAllowed", [](TChessGame& g) { g.SetCastlingAllowed(0); }, 0, 0},
        {"SearchDepth", [](TChessGame& g) { g.SetSearchDepth(4); }, 0, 0},
        {"CustomEngine", [](TChessGame& g) { g.SetCustomEngine(true); }, 0, 0},
        {"GotoMove refused", [](TChessGame& g) { g.GotoMove(5, true); }, 1, 0},
        {"UserMove", [](TChessGame& g) { g.UserMove(E2, E4); }, 1, 1},
        {"UserMove refused", [](TChessGame& g) { g.UserMove(E2, E5); }, 1, 1},
    };
    for (const Case& c : cases) {
        TCountingGame game;
        game.Stops = game.Starts = 0;
        c.Assign(game);
        EXPECT_EQ(game.Stops, c.Stops) << c.Name;
        EXPECT_EQ(game.Starts, c.Starts) << c.Name;
    }
}

TEST(Settings, UserMoveClearsHaltedEvenWhenRefused) {
    TChessGame game;
    ASSERT_TRUE(game.Halted());
    EXPECT_FALSE(game.UserMove(E2, E5));
    EXPECT_FALSE(game.Halted());
    game.StopThinking();
    EXPECT_TRUE(game.Halted());
}

TEST(Settings, LookSettingsRepaintAtOnce) {
    const std::function<void(TChessGame&)> assignments[] = {
        [](TChessGame& g) { g.SetBoardLines(true); },
        [](TChessGame& g) { g.SetBorderColor(0x123456); },
        [](TChessGame& g) { g.SetDisplayCoords(CoordBit(West) | CoordBit(South)); },
        [](TChessGame& g) { g.SetSquareColorDark(0x112233); },
        [](TChessGame& g) { g.SetSquareColorLight(0x445566); },
        [](TChessGame& g) { g.SetWhiteOnTop(true); },
        [](TChessGame& g) { g.SetPosition("init"); },
        [](TChessGame& g) { g.NewGame(); },
    };
    for (const auto& assign : assignments) {
        TCountingGame game;
        game.Paints = 0;
        assign(game);
        EXPECT_EQ(game.Paints, 1);
    }
}

}  // namespace
