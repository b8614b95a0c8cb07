// The engine's UCI front end: reads one command line at a time, keeps the
// position and one engine object, and runs each search on a thread of its own
// so that stop and isready are answered while it runs. Beyond UCI: "go perft N"
// and "bench".
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/ChessEngine.h"
#include "tools/kolvar-engine/UciPosition.h"

class TUciSession {
public:
    explicit TUciSession(std::ostream& out);
    ~TUciSession();
    TUciSession(const TUciSession&) = delete;
    TUciSession& operator=(const TUciSession&) = delete;

    // Handles one command; false once "quit" has been read.
    bool HandleLine(const std::string& line);
    // Waits until the running search, if any, has answered; an infinite
    // search is stopped first.
    void WaitForSearch();

private:
    struct TGoLimits {
        int Depth = 8;
        bool Infinite = false;
        std::chrono::milliseconds HardLimit{0};  // 0: none
        std::chrono::milliseconds SoftLimit{0};  // no new iteration after this
    };

    void Send(const std::string& line);
    void SetPosition(std::istringstream& in);
    void Go(std::istringstream& in);
    bool ReadGoLimits(std::istringstream& in, TGoLimits& limits, int& perftDepth);
    void StartSearch(const TGoLimits& limits);
    void RunSearch(TGoLimits limits);
    void RunPerft(int depth);
    void StopSearch();
    void ReportIteration(int depth, int score, std::uint64_t nodes, const TMove* pv, int length);
    std::string FallbackMove();

    std::ostream& Out_;
    std::mutex OutMutex_;
    TUciPosition Position_;
    std::unique_ptr<TChessEngine> Engine_;
    std::thread Worker_;

    // Shared between the session and its search thread.
    std::mutex StateMutex_;
    std::condition_variable StateChanged_;
    bool SearchRunning_ = false;
    bool InfiniteSearch_ = false;
    bool StopSignalled_ = false;

    // Written and read by the search thread only, while a search runs.
    std::chrono::steady_clock::time_point SearchStart_;
    std::chrono::milliseconds SoftLimit_{0};
    std::vector<TMove> LastLine_;
};

// The fixed bench: searches a set of positions on fresh engines and prints
// the total nodes (the signature of the engine's results), the time and the
// speed. Returns the total nodes. "bench" runs it at the default depth, "bench N" at depth N.
std::uint64_t RunBench(std::ostream& out, int depth = 6);
