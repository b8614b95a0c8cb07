// Positions no game reaches: random boards of the thirteen square characters
// with random castling rights and en-passant squares, and a few extreme ones.
// Loading, generation, make/unmake and shallow searches must stay in range
// (run these under the address and undefined-behaviour sanitizers too) and end.
#include <cstring>
#include <random>
#include <string>

#include "tests/engine/EngineTestSupport.h"

namespace {

struct TRawPosition {
    char Board[BoardCells];
    bool WhiteToMove = true;
    CastleSet Castling = 0;
    Square EnPassant = None;
    int Depth = 1;

    TEngineSource Source() const {
        return TEngineSource{Board, &WhiteToMove, &Castling, &EnPassant, &Depth};
    }
};

TRawPosition RandomPosition(std::mt19937& random) {
    static constexpr char Characters[] = " PNBRQKpnbrqk";
    TRawPosition p;
    // From nearly empty boards to full ones.
    std::uniform_int_distribution<int> percent(1, 100), piece(1, 12);
    int fill = percent(random);
    p.Board[0] = ' ';
    for (int i = 1; i <= 64; ++i)
        p.Board[i] = percent(random) <= fill ? Characters[piece(random)] : ' ';
    p.Board[BoardCells - 1] = '\0';
    p.WhiteToMove = random() % 2;
    p.Castling = CastleSet(random() % 16);
    p.EnPassant = Square(random() % 65);
    return p;
}

// Every generated move is made and taken back, with the board restored.
void CheckMoves(TChessEngine& engine) {
    TChessEngine::TBoardState before = engine.BoardState();
    for (const TMoveEntry& e : engine.GeneratedMoves()) {
        ASSERT_LT(e.Move.From, 64);
        ASSERT_LT(e.Move.To, 64);
        if (engine.DoMove(e.Move)) engine.UndoMove();
        ASSERT_EQ(engine.BoardState(), before) << MoveText(e.Move);
    }
    engine.GeneratedCaptures();
    ASSERT_EQ(engine.BoardState(), before);
}

TEST(EngineRandomPositions, LoadGenerateAndSearchShallow) {
    std::mt19937 random(20261211);
    auto engine = std::make_unique<TChessEngine>();
    for (int n = 0; n < 150; ++n) {
        TRawPosition p = RandomPosition(random);
        p.Depth = 1 + n % 2;
        engine->SetSource(p.Source());
        engine->LoadBoard();
        engine->PrepareEvalTables();
        ASSERT_NO_FATAL_FAILURE(CheckMoves(*engine)) << std::string(p.Board + 1, 64);
        engine->Perft(2);
        engine->Think();
        ASSERT_LE(engine->PvLineLength(), TChessEngine::MaxPly);
    }
}

TEST(EngineRandomPositions, ExtremeBoardsEnd) {
    const char* const fens[] = {
        "8/PPPPPPPP/8/8/8/8/pppppppp/8 w - - 0 1",      // no kings, sixteen promotions
        "4k3/PPPPPPPP/8/8/8/8/pppppppp/4K3 w - - 0 1",  // the same with kings
        "qqqqkqqq/qqqqqqqq/8/8/8/8/QQQQQQQQ/QQQQKQQQ w - - 0 1",
        "KKKKKKKK/KKKKKKKK/8/8/8/8/kkkkkkkk/kkkkkkkk b - - 0 1",
        "PPPPPPPP/8/8/8/8/8/8/pppppppp w - - 0 1",  // pawns on their last ranks
        "pppppppp/8/8/8/8/8/8/PPPPPPPP b - - 0 1",  // pawns on their first ranks
        "8/8/8/8/8/8/8/8 w KQkq e3 0 1",            // rights and a square with nothing
    };
    for (const char* fen : fens) {
        for (int depth : {1, 2}) {
            TEngineFixture f(fen, depth);
            f.Engine->Think();
            EXPECT_LE(f.Engine->PvLineLength(), TChessEngine::MaxPly) << fen;
        }
    }
    // A full board of queens: the move lists of every node stay within the stack.
    TRawPosition queens;
    queens.Board[0] = ' ';
    for (int i = 1; i <= 64; ++i) queens.Board[i] = i % 2 ? 'Q' : 'q';
    queens.Board[BoardCells - 1] = '\0';
    queens.Depth = 2;
    auto engine = std::make_unique<TChessEngine>();
    engine->SetSource(queens.Source());
    engine->Think();
    EXPECT_TRUE(engine->UnusualPosition());
}

TEST(EngineRandomPositions, UnsoundRightsAndSquaresDroppedOnLoading) {
    struct TCase {
        const char* Fen;
        int Castle;
        int EpSquare;
    };
    const TCase cases[] = {
        {"4k3/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 3, -1},     // no Black rooks
        {"r3k2r/8/8/8/8/8/8/R4K1R w KQkq - 0 1", 12, -1},  // White king off E1
        {"r3k2r/8/8/8/8/8/8/4K2R w KQkq - 0 1", 13, -1},   // no rook on A1
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", 0, SquareIndex("d6")},
        {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", 0, -1},     // no pawn passed over D6
        {"4k3/8/3n4/3pP3/8/8/8/4K3 w - d6 0 1", 0, -1},  // D6 occupied
        {"4k3/8/8/3pP3/8/8/8/4K3 b - d6 0 1", 0, -1},    // wrong side to move
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", 0, SquareIndex("d3")},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - d4 0 1", 0, -1},  // not on rank 3
    };
    for (const TCase& c : cases) {
        TEngineFixture f(c.Fen);
        TChessEngine::TBoardState s = f.Engine->BoardState();
        EXPECT_EQ(s.Castle, c.Castle) << c.Fen;
        EXPECT_EQ(s.EpSquare, c.EpSquare) << c.Fen;
    }
    // En-passant values beyond the board are dropped too.
    TRawPosition p;
    p.Board[0] = ' ';
    std::memcpy(p.Board + 1, StartPosition, 64);
    p.Board[BoardCells - 1] = '\0';
    for (int value : {64, 65, 200, 255}) {
        p.EnPassant = Square(value);
        auto engine = std::make_unique<TChessEngine>();
        engine->SetSource(p.Source());
        engine->LoadBoard();
        EXPECT_EQ(engine->BoardState().EpSquare, -1) << value;
    }
}

}  // namespace
