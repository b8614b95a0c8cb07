#include "engine/thread/ChessThread.h"

#include <utility>

TChessThread::TChessThread(const TChessThreadLinks& links, TMakeMoveCallback onMakeMove,
                           TDoneCallback onThinkingDone)
    : links_(links),
      onMakeMove_(std::move(onMakeMove)),
      onThinkingDone_(std::move(onThinkingDone)),
      engine_(std::make_unique<TChessEngine>()) {
    TEngineSource source;
    source.Board = links.Board;
    source.WhiteToMove = links.WhiteToMove;
    source.CastlingAllowed = links.CastlingAllowed;
    source.EnPassant = links.EnPassant;
    source.SearchDepth = links.SearchDepth;
    engine_->SetSource(source);
}

TChessThread::~TChessThread() {
    RequestStop();
    Terminate();
    WaitFor();
}

void TChessThread::Wake() {
    engine_->StopRequested.store(false, std::memory_order_relaxed);
    wakeCount_.fetch_add(1);
    Resume();
}

bool TChessThread::ComputerToMove() const {
    const bool white = *links_.WhiteToMove;
    return (*links_.ComputerPlaysWhite && white) || (*links_.ComputerPlaysBlack && !white);
}

void TChessThread::Execute() {
    while (!Terminated()) {
        const std::uint64_t wakeSeen = wakeCount_.load();
        if (ComputerToMove()) {
            SearchAndMove(wakeSeen);
        } else {
            WaitForWake(wakeSeen);
        }
    }
}

// One search; its move is handed back unless a stop came. A position with no
// move to make, or a move the board refuses, is not searched again until the
// board wakes the worker anew.
void TChessThread::SearchAndMove(std::uint64_t wakeSeen) {
    SetPriority(*links_.Priority);
    thinking_.store(true);
    searchCount_.fetch_add(1);
    engine_->Think();
    if (StopRequested()) {
        ReportDone();
        return;
    }
    thinking_.store(false);
    const bool moved = engine_->RootHadLegalMove() && HandBackMove();
    if (moved || StopRequested()) {
        ReportDone();
    } else {
        WaitForWake(wakeSeen);
    }
}

bool TChessThread::HandBackMove() {
    const TMove move = engine_->BestMove();
    bool made = false;
    Synchronize([this, move, &made] {
        inHandBack_ = true;
        made = onMakeMove_(Square(move.From + 1), Square(move.To + 1));
        inHandBack_ = false;
    });
    return made;
}

void TChessThread::ReportDone() {
    Synchronize([this] { onThinkingDone_(); });
}

// Parks the worker until the board wakes it, unless a wake-up came since the
// pass began: then the worker looks at the turn again at once.
void TChessThread::WaitForWake(std::uint64_t wakeSeen) {
    Synchronize([this, wakeSeen] {
        thinking_.store(false);
        if (wakeCount_.load() == wakeSeen) Suspend();
    });
}
