// The shipped engine against the reference engine on positions that arise in
// games: move lists with their scores, legality, attacks, the static score
// and perft; searches on fresh engines, on one engine carried through many
// positions, and through games in which each engine plays its own choice.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ChessEngine.h"
#include "tests/engine-literal/LiteralTestSupport.h"
#include "tests/engine-literal/Playouts.h"

namespace {

constexpr std::uint32_t Seed = 20261211;
constexpr int PlayoutCount = 300;
constexpr int MaxPlayoutPlies = 80;
// Only the first disagreements of a test are described in full.
constexpr int DetailedFailures = 8;

const std::vector<TPlayoutPosition>& GamePositions() {
    static const std::vector<TPlayoutPosition> positions = [] {
        std::vector<TPlayoutPosition> all;
        for (const std::string& fen : StandardFens()) all.push_back({PositionFromFen(fen), fen});
        for (const TPlayoutPosition& p :
             RandomPlayouts(StandardFens(), PlayoutCount, MaxPlayoutPlies, Seed))
            all.push_back(p);
        return all;
    }();
    return positions;
}

std::string Describe(const std::vector<TMoveEntry>& list) {
    std::ostringstream out;
    for (const TMoveEntry& e : list)
        out << MoveText(e.Move) << "/" << int(e.Move.Flags) << ":" << e.Score << " ";
    return out.str();
}

bool SameList(const std::vector<TMoveEntry>& a, const std::vector<TMoveEntry>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (!(a[k].Move == b[k].Move) || a[k].Score != b[k].Score) return false;
    return true;
}

// Both engines loaded with the same position.
struct TEnginePair {
    TFenPosition Position;
    std::unique_ptr<TLiteralEngine> Literal = std::make_unique<TLiteralEngine>();
    std::unique_ptr<TChessEngine> Fast = std::make_unique<TChessEngine>();

    explicit TEnginePair(const TFenPosition& position) : Position(position) {
        Literal->SetSource(Position.Source());
        Fast->SetSource(Position.Source());
        Literal->LoadBoard();
        Fast->LoadBoard();
        Literal->PrepareEvalTables();
        Fast->PrepareEvalTables();
    }
    TEnginePair(const TEnginePair&) = delete;
    TEnginePair& operator=(const TEnginePair&) = delete;
};

// What one search shows to its caller.
struct TSearchResult {
    TMove Best;
    int Score = 0;
    std::uint64_t Nodes = 0;
    bool Legal = false;
    std::vector<TMove> Line;
    std::vector<std::string> Iterations;
    bool operator==(const TSearchResult&) const = default;
};

std::string LineText(const TMove* line, int length) {
    std::string text;
    for (int k = 0; k < length; ++k) text += MoveText(line[k]) + " ";
    return text;
}

std::string Describe(const TSearchResult& r) {
    std::ostringstream out;
    out << "best " << MoveText(r.Best) << "/" << int(r.Best.Flags) << " score " << r.Score
        << " nodes " << r.Nodes << (r.Legal ? "" : " (no legal root move)") << " line ";
    for (TMove m : r.Line) out << MoveText(m) << " ";
    out << "| iterations:";
    for (const std::string& it : r.Iterations) out << " [" << it << "]";
    return out.str();
}

// Searches `position` to `depth` on `engine` as it stands (its principal
// variation from earlier searches included). The engine's source is left
// pointing at a copy that is gone: set it again before loading.
template <class TEngine>
TSearchResult SearchWith(TEngine& engine, const TFenPosition& position, int depth) {
    TFenPosition p = position;
    p.SearchDepth = depth;
    TSearchResult r;
    engine.OnIteration = [&r](int d, int score, std::uint64_t nodes, const TMove* pv, int length) {
        std::ostringstream out;
        out << d << ": " << score << " " << nodes << " " << LineText(pv, length);
        r.Iterations.push_back(out.str());
    };
    engine.SetSource(p.Source());
    engine.Think();
    engine.OnIteration = nullptr;
    r.Best = engine.BestMove();
    r.Score = engine.RootScore();
    r.Nodes = engine.Nodes();
    r.Legal = engine.RootHadLegalMove();
    r.Line.assign(engine.PvLine(), engine.PvLine() + engine.PvLineLength());
    return r;
}

// Depths 1 to 3 in turn, every tenth position at 4.
int DepthFor(std::size_t k) {
    return k % 10 == 9 ? 4 : int(k % 3) + 1;
}

class TFailureLog {
public:
    explicit TFailureLog(const char* what) : What(what) {}
    ~TFailureLog() {
        if (Count > DetailedFailures)
            ADD_FAILURE() << What << ": " << Count << " disagreements in all";
    }
    void Add(const std::string& text) {
        if (++Count <= DetailedFailures) ADD_FAILURE() << What << ": " << text;
    }

private:
    const char* What;
    int Count = 0;
};

struct TFenCase {
    const char* Fen;
    int Depth;
};

// Searches the position on a fresh pair of engines and logs any difference.
void CompareOnFreshEngines(const TFenPosition& position, int depth, TFailureLog& log) {
    TEnginePair e(position);
    const TSearchResult literal = SearchWith(*e.Literal, position, depth);
    const TSearchResult fast = SearchWith(*e.Fast, position, depth);
    if (!(literal == fast))
        log.Add(FenOf(position) + " depth " + std::to_string(depth) +
                "\n  literal: " + Describe(literal) + "\n  fast:    " + Describe(fast));
}

TEST(EngineDifferential, MoveListsLegalityAttacksAndEvaluation) {
    TFailureLog log("static comparison");
    for (const TPlayoutPosition& g : GamePositions()) {
        TEnginePair e(g.Position);
        const std::string where = FenOf(g.Position) + " (" + g.Origin + ")";
        const std::vector<TMoveEntry> literal = e.Literal->GeneratedMoves();
        const std::vector<TMoveEntry> fast = e.Fast->GeneratedMoves();
        if (!SameList(literal, fast))
            log.Add(where + "\n  GeneratedMoves literal: " + Describe(literal) +
                    "\n  GeneratedMoves fast:    " + Describe(fast));
        for (const TMoveEntry& entry : literal) {
            const bool a = e.Literal->DoMove(entry.Move);
            const bool b = e.Fast->DoMove(entry.Move);
            if (a != b) log.Add(where + ": DoMove " + MoveText(entry.Move) + " differs");
            if (a) e.Literal->UndoMove();
            if (b) e.Fast->UndoMove();
        }
        const std::vector<TMoveEntry> literalCaptures = e.Literal->GeneratedCaptures();
        const std::vector<TMoveEntry> fastCaptures = e.Fast->GeneratedCaptures();
        if (!SameList(literalCaptures, fastCaptures))
            log.Add(where + "\n  GeneratedCaptures literal: " + Describe(literalCaptures) +
                    "\n  GeneratedCaptures fast:    " + Describe(fastCaptures));
        if (e.Literal->Evaluate() != e.Fast->Evaluate())
            log.Add(where + ": Evaluate literal " + std::to_string(e.Literal->Evaluate()) +
                    ", fast " + std::to_string(e.Fast->Evaluate()));
        if (e.Literal->Side() != e.Fast->Side()) log.Add(where + ": Side differs");
        for (int side = White; side <= Black; ++side) {
            if (e.Literal->InCheck(side) != e.Fast->InCheck(side))
                log.Add(where + ": InCheck(" + std::to_string(side) + ") differs");
            for (int sq = 0; sq < 64; ++sq)
                if (e.Literal->Attacked(sq, side) != e.Fast->Attacked(sq, side))
                    log.Add(where + ": Attacked(" + std::to_string(sq) + ", " +
                            std::to_string(side) + ") differs");
        }
    }
}

TEST(EngineDifferential, PerftToDepthTwo) {
    TFailureLog log("perft");
    for (const TPlayoutPosition& g : GamePositions()) {
        TEnginePair e(g.Position);
        const std::uint64_t literal = e.Literal->Perft(2), fast = e.Fast->Perft(2);
        if (literal != fast)
            log.Add(FenOf(g.Position) + ": literal " + std::to_string(literal) + ", fast " +
                    std::to_string(fast));
    }
}

TEST(EngineDifferential, SearchesOnFreshEngines) {
    TFailureLog log("search on fresh engines");
    const std::vector<TPlayoutPosition>& positions = GamePositions();
    for (std::size_t k = 0; k < positions.size(); ++k) {
        CompareOnFreshEngines(positions[k].Position, DepthFor(k), log);
    }
}

// Game positions in which a stand-pat cutoff leaves the line-following flag
// set and a later node finds an entry of the old line: rare in playouts, so
// they are listed here.
TEST(EngineDifferential, SearchesWhereLineFollowingOutlivesACutoff) {
    const TFenCase cases[] = {
        {"r3k3/3p1p1r/p3p3/2p1N1P1/1B2P3/1b2q1nP/PPP2PB1/R2K2R1 b q -", 3},
        {"3r1k2/1rb2q2/6pP/p1N1n3/3PR3/p1P2P1R/1P5P/n3B1K1 b - -", 3},
        {"4k2r/1pn3pp/R1p5/p4Q1N/2B4P/PqP3K1/1b1N2P1/R1B3R1 w - -", 4},
    };
    TFailureLog log("search past a cutoff on the line");
    for (const TFenCase& c : cases) CompareOnFreshEngines(PositionFromFen(c.Fen), c.Depth, log);
}

// Positions from playouts of the standard positions (other seeds, up to 100
// plies) in which the quiescence below one leaf passes a million nodes.
TEST(EngineDifferential, SearchesWithLargeQuiescenceTrees) {
    const TFenCase cases[] = {
        {"r3k1r1/Pppp2pp/1bn3bN/BPPn1R2/B2NP3/q7/Pp1P2PP/R4QK1 w q -", 1},
        {"4rr1k/pP1p2pp/Qq6/bb2B2n/Npp5/2PP1N2/pPBKnPPP/5R1R b - -", 2},
        {"r3k2r/p1ppqpB1/4P1N1/7n/1pbbP3/2N1nQ1p/PPP1BPPP/2KR3R w kq -", 2},
    };
    TFailureLog log("search with a large quiescence tree");
    for (const TFenCase& c : cases) CompareOnFreshEngines(PositionFromFen(c.Fen), c.Depth, log);
}

// One pair of engines searches every position in turn, so each search starts
// from the line an unrelated position left behind.
TEST(EngineDifferential, SearchesCarryingTheLineAcrossPositions) {
    TFailureLog log("search with a carried line");
    const std::vector<TPlayoutPosition>& positions = GamePositions();
    TEnginePair e(positions[0].Position);
    for (std::size_t k = 0; k < positions.size(); ++k) {
        const int depth = int((k + 1) % 3) + 1;
        const TSearchResult literal = SearchWith(*e.Literal, positions[k].Position, depth);
        const TSearchResult fast = SearchWith(*e.Fast, positions[k].Position, depth);
        if (!(literal == fast))
            log.Add(FenOf(positions[k].Position) + " depth " + std::to_string(depth) + " after " +
                    FenOf(positions[k ? k - 1 : 0].Position) + "\n  literal: " + Describe(literal) +
                    "\n  fast:    " + Describe(fast));
    }
}

// Each engine plays the move it chose and searches again, as in a game
// against the computer playing both sides.
TEST(EngineDifferential, SearchesThroughGames) {
    TFailureLog log("search through a game");
    const std::vector<TPlayoutPosition>& positions = GamePositions();
    for (std::size_t start = 0; start < positions.size(); start += 15) {
        TEnginePair e(positions[start].Position);
        TFenPosition position = positions[start].Position;
        for (int ply = 0; ply < 16; ++ply) {
            const int depth = ply % 3 + 1;
            const TSearchResult literal = SearchWith(*e.Literal, position, depth);
            const TSearchResult fast = SearchWith(*e.Fast, position, depth);
            if (!(literal == fast)) {
                log.Add(FenOf(position) + " depth " + std::to_string(depth) + ", ply " +
                        std::to_string(ply) + " of a game from " +
                        FenOf(positions[start].Position) + "\n  literal: " + Describe(literal) +
                        "\n  fast:    " + Describe(fast));
                break;
            }
            // The history table the search left orders the quiet moves.
            e.Literal->SetSource(position.Source());
            e.Fast->SetSource(position.Source());
            e.Literal->LoadBoard();
            e.Fast->LoadBoard();
            const std::vector<TMoveEntry> literalList = e.Literal->GeneratedMoves();
            const std::vector<TMoveEntry> fastList = e.Fast->GeneratedMoves();
            if (!SameList(literalList, fastList)) {
                log.Add(FenOf(position) + " after a search to depth " + std::to_string(depth) +
                        "\n  literal: " + Describe(literalList) +
                        "\n  fast:    " + Describe(fastList));
                break;
            }
            if (!literal.Legal) break;
            PlayMove(position, literal.Best);
        }
    }
}

}  // namespace
