// Random legal playouts for the engine tests and benchmarks.
#include "tests/engine-literal/Playouts.h"

#include <memory>
#include <random>

#include "tests/engine-literal/LiteralEngine.h"

const std::vector<std::string>& StandardFens() {
    static const std::vector<std::string> fens = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
        "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ -",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
        "8/8/8/2k5/2pP4/8/B7/4K3 b - d3",
        "8/8/3k4/8/1KPp3r/8/8/8 b - c3",
    };
    return fens;
}

std::vector<TMove> LegalMoves(const TFenPosition& position) {
    static thread_local auto engine = std::make_unique<TLiteralEngine>();
    engine->SetSource(position.Source());
    engine->LoadBoard();
    std::vector<TMove> legal;
    for (const TMoveEntry& entry : engine->GeneratedMoves()) {
        if (!engine->DoMove(entry.Move)) continue;
        engine->UndoMove();
        legal.push_back(entry.Move);
    }
    return legal;
}

std::vector<TPlayoutPosition> RandomPlayouts(const std::vector<std::string>& starts, int count,
                                             int maxPlies, std::uint32_t seed) {
    // The generator's raw output (not a distribution) keeps the positions the
    // same on every standard library.
    std::mt19937 random(seed);
    std::vector<TPlayoutPosition> positions;
    for (int k = 0; k < count; ++k) {
        const std::string& start = starts[k % starts.size()];
        TPlayoutPosition p{PositionFromFen(start), start};
        p.Origin += " moves";
        const int plies = int(random() % std::uint32_t(maxPlies + 1));
        for (int ply = 0; ply < plies; ++ply) {
            const std::vector<TMove> legal = LegalMoves(p.Position);
            if (legal.empty()) break;
            const TMove m = legal[random() % legal.size()];
            PlayMove(p.Position, m);
            p.Origin += ' ';
            p.Origin += MoveText(m);
        }
        positions.push_back(p);
    }
    return positions;
}
