// The reference engine's search: iterative deepening over a fixed-depth
// alpha-beta with check extension, quiescence, principal-variation and
// history ordering.
#include <algorithm>
#include <cassert>

#include "tests/engine-literal/LiteralEngine.h"

void TLiteralEngine::Think() {
    assert(Source.SearchDepth);
    LoadBoard();
    PrepareEvalTables();
    for (auto& row : History)
        for (int& v : row) v = 0;
    FollowPv = true;
    NodeCount = 0;
    RootLegal = true;

    const int n = std::clamp(*Source.SearchDepth, 1, 8);
    for (int d = 1; d <= n; ++d) {
        if (StopRequested) continue;
        FollowPv = true;
        const int score = Search(-10000, 10000, d);
        if (StopRequested) continue;
        LastRootScore = score;
        if (OnIteration) OnIteration(d, score, NodeCount, PvLine(), PvLineLength());
    }
}

int TLiteralEngine::Search(int alpha, int beta, int depth) {
    ++NodeCount;
    if (StopRequested) return 0;
    if (depth == 0) return Quiesce(alpha, beta);
    PvLength[Ply] = Ply;
    if (PlyLimitReached()) return Evaluate();

    const bool inCheck = InCheck(SideToMove);
    if (inCheck) ++depth;
    GenerateMoves();
    if (ListOverflowed()) return Evaluate();
    if (FollowPv) MarkPvMove();

    bool legalSeen = false;
    for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
        if (StopRequested) break;
        PickBest(i);
        const TMove m = MoveStack[i].Move;
        if (!DoMove(m)) continue;
        legalSeen = true;
        const int x = -Search(-beta, -alpha, depth - 1);
        UndoMove();
        if (x > alpha) {
            History[m.From][m.To] += depth;
            if (x >= beta) return beta;
            alpha = x;
            UpdatePv(m);
        }
    }

    if (Ply == 0 && !StopRequested) RootLegal = legalSeen;
    if (!legalSeen) return inCheck ? Ply - 10000 : 0;
    return alpha;
}

int TLiteralEngine::Quiesce(int alpha, int beta) {
    ++NodeCount;
    PvLength[Ply] = Ply;
    if (PlyLimitReached()) return Evaluate();

    const bool inCheck = InCheck(SideToMove);
    if (inCheck) {
        GenerateMoves();
    } else {
        const int standPat = Evaluate();
        if (standPat >= beta) return beta;
        if (standPat > alpha) alpha = standPat;
        GenerateCaptures();
    }
    if (ListOverflowed()) return Evaluate();
    if (FollowPv) MarkPvMove();

    bool legalSeen = false;
    for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
        PickBest(i);
        const TMove m = MoveStack[i].Move;
        if (!DoMove(m)) continue;
        legalSeen = true;
        const int x = -Quiesce(-beta, -alpha);
        UndoMove();
        if (x > alpha) {
            if (x >= beta) return beta;
            alpha = x;
            UpdatePv(m);
        }
    }

    if (!legalSeen && inCheck) return Ply - 10000;
    return alpha;
}

// The node's line becomes the move followed by the child's line.
void TLiteralEngine::UpdatePv(TMove m) {
    Pv[Ply][Ply] = m;
    for (int j = Ply + 1; j < PvLength[Ply + 1]; ++j) Pv[Ply][j] = Pv[Ply + 1][j];
    PvLength[Ply] = PvLength[Ply + 1];
}

// Only From and To are compared: the line's promotion piece is not, so the
// first promotion on that square (the knight) is the one lifted.
void TLiteralEngine::MarkPvMove() {
    FollowPv = false;
    const TMove line = Pv[0][Ply];
    for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
        const TMove m = MoveStack[i].Move;
        if (m.From == line.From && m.To == line.To) {
            MoveStack[i].Score += 10000000;
            FollowPv = true;
            return;
        }
    }
}

void TLiteralEngine::PickBest(int i) {
    int best = i;
    for (int j = i + 1; j < ListEnd[Ply]; ++j)
        if (MoveStack[j].Score > MoveStack[best].Score) best = j;
    std::swap(MoveStack[i], MoveStack[best]);
}
