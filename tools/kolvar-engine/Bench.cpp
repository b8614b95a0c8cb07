#include "tools/kolvar-engine/Bench.h"

#include "engine/ChessEngine.h"
#include "tools/kolvar-engine/UciSession.h"

std::uint64_t RunBench(std::ostream& out, int depth) {
    return RunBenchWith<TChessEngine>(out, depth).Nodes;
}
