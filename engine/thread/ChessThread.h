// The engine's worker thread: it searches when the computer is to move,
// hands its move to the main thread and otherwise waits, using no CPU, until
// the board wakes it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "board/types/ChessTypes.h"
#include "engine/ChessEngine.h"
#include "platform/core/Thread.h"
#include "platform/core/ThreadPriority.h"

// The board's fields the worker reads: whose turn it is and who plays it at
// the top of each pass, the position, depth and priority when a search begins.
struct TChessThreadLinks {
    const char* Board = nullptr;
    const bool* WhiteToMove = nullptr;
    const CastleSet* CastlingAllowed = nullptr;
    const Square* EnPassant = nullptr;
    const bool* ComputerPlaysWhite = nullptr;
    const bool* ComputerPlaysBlack = nullptr;
    const int* SearchDepth = nullptr;
    const TThreadPriority* Priority = nullptr;
};

class TChessThread : public TThread {
public:
    // The board's MakeMove, and its end-of-pass handler.
    using TMakeMoveCallback = std::function<bool(Square oldSq, Square newSq)>;
    using TDoneCallback = std::function<void()>;

    // Created parked; the tables are filled before the worker ever runs.
    TChessThread(const TChessThreadLinks& links, TMakeMoveCallback onMakeMove,
                 TDoneCallback onThinkingDone);
    // Stops a running search, ends the worker and joins it.
    ~TChessThread() override;

    // True while a search runs.
    bool ThinkingFlag() const { return thinking_.load(); }
    // Main thread, from the board's end-of-pass handler.
    void ClearThinkingFlag() { thinking_.store(false); }

    bool StopRequested() const { return engine_->StopRequested.load(std::memory_order_relaxed); }
    // Main thread: a search under way ends at its next node; the worker parks
    // at the end of its pass.
    void RequestStop() { engine_->StopRequested.store(true, std::memory_order_relaxed); }
    // Main thread: clears the stop and lets a parked worker go on; it looks
    // at whose turn it is itself.
    void Wake();

    // Main thread: true while the worker's own move is being made.
    bool InHandBack() const { return inHandBack_; }

    // Searches begun since construction (for tests and diagnostics).
    int SearchCount() const { return searchCount_.load(); }

    // The engine, for reading its last search (main thread, worker parked).
    const TChessEngine& Engine() const { return *engine_; }

protected:
    void Execute() override;

private:
    bool ComputerToMove() const;
    void SearchAndMove(std::uint64_t wakeSeen);
    bool HandBackMove();
    void ReportDone();
    void WaitForWake(std::uint64_t wakeSeen);

    TChessThreadLinks links_;
    TMakeMoveCallback onMakeMove_;
    TDoneCallback onThinkingDone_;
    std::unique_ptr<TChessEngine> engine_;
    std::atomic<bool> thinking_{false};
    // Counts the board's wake-ups, so a wait decided before the latest one
    // does not swallow it. Written on the main thread only.
    std::atomic<std::uint64_t> wakeCount_{0};
    std::atomic<int> searchCount_{0};
    bool inHandBack_ = false;  // main thread only
};
