// The order, flags and ordering scores of the generated lists, and the
// legality that DoMove decides (checks, castling conditions, no king).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace {

std::vector<std::string> Texts(const std::vector<TMoveEntry>& list) {
    std::vector<std::string> texts;
    for (const TMoveEntry& e : list) texts.push_back(MoveText(e.Move));
    return texts;
}

TEST(EngineMoveGeneration, StartPositionListInOrder) {
    TEngineFixture f(StartFen);
    std::vector<TMoveEntry> list = f.Engine->GeneratedMoves();
    const std::vector<std::string> expected = {
        "a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3", "d2d4", "e2e3", "e2e4", "f2f3",
        "f2f4", "g2g3", "g2g4", "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3", "e1g1", "e1c1"};
    EXPECT_EQ(Texts(list), expected);
    ASSERT_EQ(list.size(), 22u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(list[i].Move.Flags, i % 2 ? 24 : 16) << i;
    for (int i = 16; i < 20; ++i) EXPECT_EQ(list[i].Move.Flags, 0) << i;
    for (const TMoveEntry& e : list) EXPECT_EQ(e.Score, 0);  // History is empty
    EXPECT_EQ(list[20].Move.Flags, mfCastle);
    EXPECT_EQ(list[21].Move.Flags, mfCastle);
    EXPECT_FALSE(f.Engine->DoMove(list[20].Move));
    EXPECT_FALSE(f.Engine->DoMove(list[21].Move));
    EXPECT_TRUE(f.Engine->GeneratedCaptures().empty());
}

TEST(EngineMoveGeneration, PromotionsCaptureFirstThenPushKnightToQueen) {
    TEngineFixture f("1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    for (const auto& list : {f.Engine->GeneratedMoves(), f.Engine->GeneratedCaptures()}) {
        ASSERT_GE(list.size(), 8u);
        for (int i = 0; i < 8; ++i) {
            TMove m = list[i].Move;
            EXPECT_EQ(MoveText(m).substr(0, 4), i < 4 ? "a7b8" : "a7a8") << i;
            EXPECT_EQ(m.Promote, i % 4 + 1) << i;
            EXPECT_EQ(m.Flags, i < 4 ? 49 : 48) << i;
            EXPECT_EQ(list[i].Score, 1000000 + 10 * (i % 4 + 1)) << i;
        }
    }
    // The king's moves follow the pawn's; quiescence takes only the pawn's.
    EXPECT_EQ(f.Engine->GeneratedCaptures().size(), 8u);
    // The push to promotion is searched by quiescence even with nothing to capture.
    TEngineFixture alone("8/P7/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Texts(alone.Engine->GeneratedCaptures()),
              (std::vector<std::string>{"a7a8n", "a7a8b", "a7a8r", "a7a8q"}));
}

TEST(EngineMoveGeneration, CaptureScoresByVictimThenAttacker) {
    // A white pawn on c4 and a white queen on d1 both take the black rook on d5.
    TEngineFixture f("4k3/8/8/3r4/2P5/8/8/3QK3 w - - 0 1");
    std::vector<TMoveEntry> captures = f.Engine->GeneratedCaptures();
    ASSERT_EQ(Texts(captures), (std::vector<std::string>{"c4d5", "d1d5"}));
    EXPECT_EQ(captures[0].Score, 1000000 + 10 * Rook - Pawn);
    EXPECT_EQ(captures[1].Score, 1000000 + 10 * Rook - Queen);
    EXPECT_EQ(captures[0].Move.Flags, mfPawn | mfCapture);
    EXPECT_EQ(captures[1].Move.Flags, mfCapture);
}

TEST(EngineMoveGeneration, EnPassantEndsTheListAndEmptiesThePassedPawn) {
    TEngineFixture f("4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1");
    std::vector<TMoveEntry> list = f.Engine->GeneratedMoves();
    ASSERT_GE(list.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const TMoveEntry& e = list[list.size() - 2 + k];
        EXPECT_EQ(MoveText(e.Move), k == 0 ? "c5d6" : "e5d6");
        EXPECT_EQ(e.Move.Flags, 21);
        EXPECT_EQ(e.Score, 1000060);
    }
    std::vector<TMoveEntry> captures = f.Engine->GeneratedCaptures();
    EXPECT_EQ(Texts(captures), (std::vector<std::string>{"c5d6", "e5d6"}));
    ASSERT_TRUE(f.Engine->DoMove(list.back().Move));
    TChessEngine::TBoardState s = f.Engine->BoardState();
    EXPECT_EQ(s.Color[Sq("d5")], Empty);
    EXPECT_EQ(s.Piece[Sq("d6")], Pawn);
    EXPECT_EQ(s.Color[Sq("d6")], White);
    EXPECT_EQ(s.Color[Sq("e5")], Empty);
}

struct TCastlingCase {
    const char* Fen;
    const char* Move;
    bool Accepted;
};

TEST(EngineMoveGeneration, CastlingConditionsDecidedByDoMove) {
    const TCastlingCase cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", true},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", true},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", true},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", true},
        {"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // in check
        {"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", false},  // in check
        {"5rk1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", false},   // F1 attacked
        {"5rk1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", true},
        {"k5r1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", false},        // G1 attacked
        {"kr6/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", true},          // B1 may be attacked
        {"k2r4/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", false},        // D1 attacked
        {"k1r5/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", false},        // C1 attacked
        {"r3k2r/8/8/8/8/8/8/1R2K3 b kq - 0 1", "e8c8", true},        // B8 may be attacked
        {"r3k2r/8/8/8/8/8/8/5RK1 b kq - 0 1", "e8g8", false},        // F8 attacked
        {"r3k2r/8/8/8/8/8/8/R1N1K1NR w KQkq - 0 1", "e1g1", false},  // G1 occupied
        {"r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "e1c1", false},    // B1 occupied
    };
    for (const TCastlingCase& c : cases) {
        TEngineFixture f(c.Fen);
        std::vector<TMoveEntry> list = f.Engine->GeneratedMoves();
        auto it = std::find_if(list.begin(), list.end(),
                               [&](const TMoveEntry& e) { return MoveText(e.Move) == c.Move; });
        ASSERT_NE(it, list.end()) << c.Fen << " " << c.Move << " is generated";
        EXPECT_EQ(it->Move.Flags, mfCastle);
        TChessEngine::TBoardState before = f.Engine->BoardState();
        EXPECT_EQ(f.Engine->DoMove(it->Move), c.Accepted) << c.Fen << " " << c.Move;
        if (!c.Accepted) {
            EXPECT_EQ(f.Engine->BoardState(), before) << c.Fen;
        }
    }
}

TEST(EngineMoveGeneration, PinnedPieceAndKingIntoCheckRefused) {
    TEngineFixture f("4r1k1/8/8/8/8/8/4N3/4K3 w - - 0 1");
    TChessEngine::TBoardState before = f.Engine->BoardState();
    for (const TMoveEntry& e : f.Engine->GeneratedMoves()) {
        std::string text = MoveText(e.Move);
        bool legal = text == "e1d1" || text == "e1f1" || text == "e1d2" || text == "e1f2";
        EXPECT_EQ(f.Engine->DoMove(e.Move), legal) << text;
        if (legal) f.Engine->UndoMove();
        EXPECT_EQ(f.Engine->BoardState(), before) << text;
    }
}

TEST(EngineMoveGeneration, NoKingMeansNoCheck) {
    TEngineFixture f("3qk3/8/8/8/8/8/3P4/8 w - - 0 1");
    EXPECT_FALSE(f.Engine->InCheck(White));
    for (const TMoveEntry& e : f.Engine->GeneratedMoves()) {
        EXPECT_TRUE(f.Engine->DoMove(e.Move)) << MoveText(e.Move);
        f.Engine->UndoMove();
    }
}

TEST(EngineMoveGeneration, CharactersOutsideThePieceLettersLoadEmpty) {
    char board[BoardCells];
    std::memset(board, ' ', BoardCells - 1);
    board[BoardCells - 1] = '\0';
    const char* odd = ".x0Az@C~";  // 'C' gives a colour but no piece
    for (int i = 0; i < 8; ++i) board[1 + i] = odd[i];
    board[1 + Sq("e1")] = 'K';
    board[1 + Sq("e8")] = 'k';
    bool white = true;
    CastleSet castling = 0;
    Square ep = None;
    int depth = 1;
    auto engine = std::make_unique<TChessEngine>();
    engine->SetSource(TEngineSource{board, &white, &castling, &ep, &depth});
    engine->LoadBoard();
    TChessEngine::TBoardState s = engine->BoardState();
    for (int i = 0; i < 64; ++i) {
        if (i == Sq("e1") || i == Sq("e8")) continue;
        EXPECT_EQ(s.Color[i], Empty) << i;
        EXPECT_EQ(s.Piece[i], Empty) << i;
    }
    EXPECT_EQ(s.Piece[Sq("e1")], King);
    EXPECT_EQ(s.Color[Sq("e8")], Black);
}

TEST(EngineMoveGeneration, AttackTests) {
    TEngineFixture f("4k3/8/8/3p4/8/1n6/8/R3K2B w - - 0 1");
    EXPECT_TRUE(f.Engine->Attacked(Sq("e4"), Black));   // pawn d5
    EXPECT_TRUE(f.Engine->Attacked(Sq("c4"), Black));   // pawn d5
    EXPECT_FALSE(f.Engine->Attacked(Sq("e5"), Black));  // beside the pawn
    EXPECT_TRUE(f.Engine->Attacked(Sq("a1"), Black));   // knight b3
    EXPECT_TRUE(f.Engine->Attacked(Sq("d5"), White));   // bishop h1; an occupied square counts
    EXPECT_FALSE(f.Engine->Attacked(Sq("c6"), White));  // behind the pawn
    EXPECT_TRUE(f.Engine->Attacked(Sq("a8"), White));   // rook a1, the file is open
    EXPECT_TRUE(f.Engine->Attacked(Sq("d2"), Black));   // knight b3
    EXPECT_FALSE(f.Engine->InCheck(White));
    EXPECT_FALSE(f.Engine->InCheck(Black));
}

}  // namespace
