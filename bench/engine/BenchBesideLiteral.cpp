// The engine's bench beside the same bench run by the reference engine, in
// one run: both signatures (they must agree) and the speed ratio.
// Usage: bench-beside-literal [depth]   (default 6)
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "engine/ChessEngine.h"
#include "tests/engine-literal/LiteralEngine.h"
#include "tools/kolvar-engine/Bench.h"

// The per-position lines, without the totals and the time.
std::string PositionLines(const std::ostringstream& out) {
    const std::string text = out.str();
    return text.substr(0, text.find("Total nodes:"));
}

int main(int argc, char** argv) {
    const int depth = argc > 1 ? std::atoi(argv[1]) : 6;
    std::ostringstream fastLines, literalLines;
    const TBenchResult fast = RunBenchWith<TChessEngine>(fastLines, depth);
    const TBenchResult literal = RunBenchWith<TLiteralEngine>(literalLines, depth);
    std::cout << "depth " << depth << '\n'
              << "fast:    signature " << fast.Nodes << ", " << fast.Milliseconds << " ms, "
              << fast.NodesPerSecond() << " nodes/s\n"
              << "literal: signature " << literal.Nodes << ", " << literal.Milliseconds << " ms, "
              << literal.NodesPerSecond() << " nodes/s\n"
              << "speed ratio fast/literal: "
              << double(literal.Milliseconds) / double(std::max<std::int64_t>(1, fast.Milliseconds))
              << '\n';
    const bool same =
        fast.Nodes == literal.Nodes && PositionLines(fastLines) == PositionLines(literalLines);
    std::cout << (same ? "same moves and nodes\n" : "RESULTS DIFFER\n");
    return same ? 0 : 1;
}
