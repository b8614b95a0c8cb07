// Perft: the leaf count of the move tree through the engine's own
// generation, make and unmake, to check them against chess's known counts.
#include <algorithm>

#include "engine/ChessEngine.h"

std::uint64_t TChessEngine::Perft(int depth) {
    depth = std::clamp(depth, 0, MaxPly - 1 - Ply_);
    return PerftNode(depth);
}

std::uint64_t TChessEngine::PerftNode(int depth) {
    if (depth == 0 || ListStart_[Ply_] > MoveStackSize) return 1;
    if (StopRequested.load(std::memory_order_relaxed)) return 0;
    GenerateMoves();
    std::uint64_t leaves = 0;
    for (int i = ListStart_[Ply_], end = ListEnd_[Ply_]; i < end; ++i) {
        if (!DoMove(Moves_[i])) continue;
        leaves += depth == 1 ? 1 : PerftNode(depth - 1);
        UndoMove();
    }
    return leaves;
}
