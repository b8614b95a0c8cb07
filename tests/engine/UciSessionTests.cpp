// UCI sessions: scripts of commands fed to the front end and the lines it
// answers, searches on their own thread included.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/kolvar-engine/UciSession.h"

namespace {

// Runs the script, waiting for each search to answer before the next line.
std::vector<std::string> RunScript(const std::vector<std::string>& script) {
    std::ostringstream out;
    {
        TUciSession session(out);
        for (const std::string& line : script) {
            if (!session.HandleLine(line)) break;
            if (line.rfind("go", 0) == 0 && line.find("infinite") == std::string::npos)
                session.WaitForSearch();
        }
        session.WaitForSearch();
    }
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(UciSession, HandshakeAndWorkedSearch) {
    std::vector<std::string> lines =
        RunScript({"uci", "isready", "ucinewgame", "position startpos", "go depth 3", "quit"});
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "id name Kolvar");
    EXPECT_EQ(lines[1], "id author Kolvar developers");
    EXPECT_EQ(lines[2], "uciok");
    EXPECT_EQ(lines[3], "readyok");
    EXPECT_EQ(lines[4], "info depth 1 score cp 28 nodes 41 pv d2d4");
    EXPECT_TRUE(StartsWith(lines[5], "info depth 2 score cp 0 nodes ")) << lines[5];
    EXPECT_TRUE(EndsWith(lines[5], " pv d2d4 d7d5")) << lines[5];
    EXPECT_TRUE(StartsWith(lines[6], "info depth 3 score cp 25 nodes ")) << lines[6];
    EXPECT_TRUE(EndsWith(lines[6], " pv d2d4 d7d5 b1c3")) << lines[6];
    EXPECT_EQ(lines[7], "bestmove d2d4");
}

struct TBestMoveCase {
    std::vector<std::string> Script;
    std::string LastInfo;  // prefix of the last info line
    std::string BestMove;
};

TEST(UciSession, PositionsFromFenAndMoves) {
    const TBestMoveCase cases[] = {
        {{"position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "go depth 2"},
         "info depth 2 score mate 1 nodes ",
         "a1a8"},
        {{"position fen 7k/8/6K1/8/8/8/8/R7 b - - 0 1", "go depth 2"},
         "info depth 2 score mate -1 nodes ",
         "h8g8"},
        {{"position fen R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", "go depth 1"},
         "info depth 1 score mate 0 nodes 1",
         "0000"},
        {{"position fen 1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "go depth 1"},
         "info depth 1 score cp 920 ",
         "a7b8q"},
        {{"position fen 4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1", "go depth 2"},
         "info depth 2 ",
         "c5d6"},
        // The moves reach the rook-mate position with White to move.
        {{"position fen 6k1/5ppp/8/8/8/8/8/R4K2 b - - 0 1 moves g8h8 f1g1 h8g8", "go depth 1"},
         "info depth 1 score mate 1 ",
         "a1a8"},
        {{"position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1", "go depth 1"},
         "info depth 1 ",
         ""},
    };
    for (const TBestMoveCase& c : cases) {
        std::vector<std::string> lines = RunScript(c.Script);
        ASSERT_GE(lines.size(), 2u) << c.Script[0];
        EXPECT_TRUE(StartsWith(lines[lines.size() - 2], c.LastInfo))
            << c.Script[0] << ": " << lines[lines.size() - 2];
        if (!c.BestMove.empty()) {
            EXPECT_EQ(lines.back(), "bestmove " + c.BestMove) << c.Script[0];
        }
        for (const std::string& line : lines) EXPECT_FALSE(StartsWith(line, "info string")) << line;
    }
}

TEST(UciSession, PerftPerRootMove) {
    std::vector<std::string> lines = RunScript({"position startpos", "go perft 2"});
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "a2a3: 20");
    EXPECT_EQ(lines[19], "g1h3: 20");
    EXPECT_EQ(lines.back(), "Nodes searched: 400");
    std::vector<std::string> kiwipete = RunScript(
        {"position fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
         "go perft 3"});
    EXPECT_EQ(kiwipete.back(), "Nodes searched: 97862");
    EXPECT_EQ(kiwipete.size(), 48u + 2u);
}

TEST(UciSession, BadInputAnswersWithInfoString) {
    const std::vector<std::string> bad = {
        "frobnicate",
        "position",
        "position fen",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1",
        "position fen rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQxq - 0 1",
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq z9 0 1",
        "position startpos moves e2e5",
        "position startpos moves e2e4 e2e4",
        "position startpos moves e7e5",
        "position startpos moves a2a1q",
        "position startpos moves zz",
        "go depth",
        "go depth x",
        "go sideways 3",
    };
    for (const std::string& command : bad) {
        std::vector<std::string> lines = RunScript({command, "isready"});
        ASSERT_EQ(lines.size(), 2u) << command;
        EXPECT_TRUE(StartsWith(lines[0], "info string ")) << command << ": " << lines[0];
        EXPECT_EQ(lines[1], "readyok") << command;
    }
    // A refused move leaves the moves before it played: after 1.e4 Black is to move.
    std::vector<std::string> lines = RunScript({"position startpos moves e2e4 e2e5", "go perft 1"});
    EXPECT_EQ(lines.back(), "Nodes searched: 20");
    EXPECT_TRUE(StartsWith(lines[1], "a7a6") || StartsWith(lines[1], "b8")) << lines[1];
}

TEST(UciSession, TimedAndInfiniteSearchesAnswer) {
    for (const std::vector<std::string>& script :
         {std::vector<std::string>{"position startpos", "go movetime 50"},
          std::vector<std::string>{"position startpos", "go wtime 300 btime 300 winc 0 binc 0"},
          std::vector<std::string>{"position startpos", "go infinite", "isready", "stop"}}) {
        std::vector<std::string> lines = RunScript(script);
        ASSERT_FALSE(lines.empty()) << script[1];
        EXPECT_TRUE(StartsWith(lines.back(), "bestmove ")) << script[1];
        EXPECT_NE(lines.back(), "bestmove 0000") << script[1];
        int bestMoves = 0;
        for (const std::string& line : lines) bestMoves += StartsWith(line, "bestmove");
        EXPECT_EQ(bestMoves, 1) << script[1];
    }
}

TEST(UciSession, BenchPrintsItsSignature) {
    std::ostringstream out;
    std::uint64_t total = RunBench(out, 2);
    EXPECT_GT(total, 0u);
    std::ostringstream again;
    EXPECT_EQ(RunBench(again, 2), total);  // the same results every time
    EXPECT_NE(out.str().find("Total nodes: " + std::to_string(total)), std::string::npos);
    EXPECT_NE(out.str().find("Nodes/second: "), std::string::npos);
}

}  // namespace
