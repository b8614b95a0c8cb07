// Iterative-deepening alpha-beta search in negamax form with a check
// extension, quiescence at the leaves, and move ordering by the previous
// principal variation, capture value and history.
#include <algorithm>
#include <cassert>
#include <utility>

#include "engine/ChessEngine.h"

namespace {

constexpr int PvBonus = 10000000;

}  // namespace

void TChessEngine::Think() {
    assert(Source_.SearchDepth);
    LoadBoard();
    PrepareEvalTables();
    for (auto& row : History_)
        for (int& entry : row) entry = 0;
    FollowPv_ = true;
    Nodes_ = 0;
    Aborted_ = false;
    int depth = std::clamp(*Source_.SearchDepth, 1, 8);
    SaveRootLine();
    for (int d = 1; d <= depth; ++d) {
        if (Stopped()) break;
        FollowPv_ = true;
        RootLegalSeen_ = false;
        BudgetActive_ = d >= 2;
        int score = Search(-MateScore, MateScore, d);
        if (Stopped()) break;
        RootScore_ = score;
        RootHadLegalMove_ = RootLegalSeen_;
        SaveRootLine();
        if (OnIteration) OnIteration(d, score, Nodes_, Pv_[0], PvLength_[0]);
    }
    // A search cut short by the node budget keeps its last completed line.
    if (Aborted_) RestoreRootLine();
}

bool TChessEngine::Stopped() {
    return BudgetSpent() || StopRequested.load(std::memory_order_relaxed);
}

// The node budget of unusual positions; the first iteration always completes.
bool TChessEngine::BudgetSpent() {
    if (BudgetActive_ && Unusual_ && Nodes_ > UnusualNodeBudget) Aborted_ = true;
    return Aborted_;
}

// A node this deep, or whose list could not be held, is not expanded.
bool TChessEngine::BeyondTables() const {
    return Ply_ >= MaxPly - 1 || ListStart_[Ply_] > MoveStackSize;
}

int TChessEngine::Search(int alpha, int beta, int depth) {
    ++Nodes_;
    if (Stopped()) return 0;
    if (depth == 0) return Quiesce(alpha, beta, 0);
    PvLength_[Ply_] = Ply_;
    if (BeyondTables()) return Evaluate();
    bool inCheck = InCheck(Side_);
    KnownCheck_[Ply_] = inCheck;
    if (inCheck) ++depth;
    GenerateMoves();
    if (FollowPv_) MarkPvMove();

    bool legal = false;
    for (int i = ListStart_[Ply_]; i < ListEnd_[Ply_]; ++i) {
        if (Stopped()) break;
        PickBest(i);
        TMove m = Moves_[i];
        if (!DoMove(m)) continue;
        legal = true;
        int x = -Search(-beta, -alpha, depth - 1);
        UndoMove();
        if (x > alpha) {
            // Unsigned, so that a counter run for days wraps instead of overflowing.
            int& history = History_[m.From][m.To];
            history = int(unsigned(history) + unsigned(depth));
            if (x >= beta) return beta;
            alpha = x;
            UpdatePv(m);
        }
    }
    if (Ply_ == 0) RootLegalSeen_ = legal;
    if (!legal) return inCheck ? Ply_ - MateScore : 0;
    return alpha;
}

int TChessEngine::Quiesce(int alpha, int beta, int quiescePly) {
    ++Nodes_;
    PvLength_[Ply_] = Ply_;
    if (quiescePly == 0)
        QuiesceTreeStart_ = Nodes_;
    else if (Nodes_ - QuiesceTreeStart_ > QuiesceTreeLimit)
        Unusual_ = true;
    if (BeyondTables() || (Unusual_ && (quiescePly >= UnusualQuiesceDepth || BudgetSpent())))
        return Evaluate();
    bool inCheck = InCheck(Side_);
    KnownCheck_[Ply_] = inCheck;
    if (inCheck) {
        GenerateMoves();
    } else {
        int standPat = Evaluate();
        if (standPat >= beta) return beta;
        if (standPat > alpha) alpha = standPat;
        GenerateCaptures();
    }
    if (FollowPv_) MarkPvMove();

    bool legal = false;
    for (int i = ListStart_[Ply_]; i < ListEnd_[Ply_]; ++i) {
        PickBest(i);
        TMove m = Moves_[i];
        if (!DoMove(m)) continue;
        legal = true;
        int x = -Quiesce(-beta, -alpha, quiescePly + 1);
        UndoMove();
        if (x > alpha) {
            if (x >= beta) return beta;
            alpha = x;
            UpdatePv(m);
        }
    }
    if (!legal && inCheck) return Ply_ - MateScore;
    return alpha;
}

// Raises the move of the previous line at this ply; only From and To count,
// and the line's length is not consulted.
void TChessEngine::MarkPvMove() {
    FollowPv_ = false;
    TMove line = Pv_[0][Ply_];
    for (int i = ListStart_[Ply_]; i < ListEnd_[Ply_]; ++i) {
        TMove m = Moves_[i];
        if (m.From == line.From && m.To == line.To) {
            Scores_[i] += PvBonus;
            FollowPv_ = true;
            return;
        }
    }
}

// Brings the highest-scored entry from i on to i; the earliest of equal scores
// wins. Picks come in falling score order, so an entry i that scores as much as
// the previous pick is the next pick without a scan.
void TChessEngine::PickBest(int i) {
    int& picked = PickedScore_[Ply_];
    if (i > ListStart_[Ply_] && Scores_[i] == picked) return;
    int end = ListEnd_[Ply_];
    int best = Scores_[i];
    for (int j = i + 1; j < end; ++j) best = std::max(best, Scores_[j]);
    picked = best;
    if (best == Scores_[i]) return;
    int j = i + 1;
    while (Scores_[j] != best) ++j;
    std::swap(Moves_[i], Moves_[j]);
    std::swap(Scores_[i], Scores_[j]);
}

void TChessEngine::UpdatePv(TMove m) {
    int ply = Ply_;
    Pv_[ply][ply] = m;
    for (int j = ply + 1; j < PvLength_[ply + 1]; ++j) Pv_[ply][j] = Pv_[ply + 1][j];
    PvLength_[ply] = PvLength_[ply + 1];
}

void TChessEngine::SaveRootLine() {
    std::copy(Pv_[0], Pv_[0] + MaxPly, SavedLine_);
    SavedLength_ = PvLength_[0];
}

void TChessEngine::RestoreRootLine() {
    std::copy(SavedLine_, SavedLine_ + MaxPly, Pv_[0]);
    PvLength_[0] = SavedLength_;
}
