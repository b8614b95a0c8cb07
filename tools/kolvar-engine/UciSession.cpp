// The UCI command loop's commands and the search thread.
#include "tools/kolvar-engine/UciSession.h"

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int MaxDepth = 8;
constexpr int MateThreshold = TChessEngine::MateScore - TChessEngine::MaxPly;

std::string ScoreText(int score) {
    if (score >= MateThreshold)
        return "mate " + std::to_string((TChessEngine::MateScore - score + 1) / 2);
    if (score <= -MateThreshold)
        return "mate " + std::to_string(-((TChessEngine::MateScore + score) / 2));
    return "cp " + std::to_string(score);
}

bool ReadNumber(std::istringstream& in, long long& value) {
    std::string word;
    if (!(in >> word)) return false;
    try {
        std::size_t used = 0;
        value = std::stoll(word, &used);
        return used == word.size();
    } catch (...) {
        return false;
    }
}

}  // namespace

TUciSession::TUciSession(std::ostream& out)
    : Out_(out), Engine_(std::make_unique<TChessEngine>()) {}

TUciSession::~TUciSession() {
    StopSearch();
}

void TUciSession::Send(const std::string& line) {
    std::lock_guard lock(OutMutex_);
    Out_ << line << '\n' << std::flush;
}

bool TUciSession::HandleLine(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    if (!(in >> command)) return true;
    if (command == "quit") {
        StopSearch();
        return false;
    }
    if (command == "isready") {
        Send("readyok");
        return true;
    }
    if (command == "stop") {
        StopSearch();
        return true;
    }
    if (command == "uci") {
        Send("id name Kolvar");
        Send("id author Kolvar developers");
        Send("uciok");
        return true;
    }
    // Everything else works on the position or the engine: the search ends first.
    WaitForSearch();
    if (command == "ucinewgame") {
        Engine_ = std::make_unique<TChessEngine>();
    } else if (command == "position") {
        SetPosition(in);
    } else if (command == "go") {
        Go(in);
    } else if (command == "bench") {
        // An optional depth; the signature is that of the default depth.
        long long depth = 6;
        if (in >> std::ws && !in.eof() && (!ReadNumber(in, depth) || depth < 1 || depth > MaxDepth))
            Send("info string bench depth must be 1 to 8");
        else
            RunBench(Out_, int(depth));
    } else {
        Send("info string unknown command: " + line);
    }
    return true;
}

void TUciSession::SetPosition(std::istringstream& in) {
    std::string word;
    in >> word;
    TUciPosition position = Position_;
    if (word == "startpos") {
        position.SetStart();
        word.clear();
        in >> word;
    } else if (word == "fen") {
        std::string fen, field;
        while (in >> field && field != "moves") fen += (fen.empty() ? "" : " ") + field;
        word = field == "moves" ? field : "";
        std::string error;
        if (!position.SetFen(fen, error)) {
            Send("info string bad FEN (" + error + "): position unchanged");
            return;
        }
    } else {
        Send("info string position needs startpos or fen");
        return;
    }
    if (word == "moves") {
        for (std::string move; in >> move;) {
            if (!position.PlayMove(*Engine_, move)) {
                Send("info string illegal move " + move + ": the moves from it on are ignored");
                break;
            }
        }
    } else if (!word.empty()) {
        Send("info string unexpected '" + word + "' in position");
    }
    Position_ = position;
}

bool TUciSession::ReadGoLimits(std::istringstream& in, TGoLimits& limits, int& perftDepth) {
    long long wtime = -1, btime = -1, winc = 0, binc = 0, movestogo = 0, movetime = -1;
    for (std::string word; in >> word;) {
        long long value = 0;
        if (word == "infinite") {
            limits.Infinite = true;
            continue;
        }
        if (word != "depth" && word != "movetime" && word != "wtime" && word != "btime" &&
            word != "winc" && word != "binc" && word != "movestogo" && word != "perft") {
            Send("info string unknown go parameter: " + word);
            return false;
        }
        if (!ReadNumber(in, value)) {
            Send("info string go " + word + " needs a number");
            return false;
        }
        if (word == "depth") limits.Depth = int(std::clamp<long long>(value, 1, MaxDepth));
        if (word == "perft") perftDepth = int(std::clamp<long long>(value, 1, 12));
        if (word == "movetime") movetime = std::max(0LL, value);
        if (word == "wtime") wtime = value;
        if (word == "btime") btime = value;
        if (word == "winc") winc = value;
        if (word == "binc") binc = value;
        if (word == "movestogo") movestogo = value;
    }
    long long own = Position_.WhiteToMove ? wtime : btime;
    long long increment = Position_.WhiteToMove ? winc : binc;
    if (movetime >= 0) {
        limits.HardLimit = milliseconds(std::max(1LL, movetime));
    } else if (own >= 0) {
        // A share of the clock, never more than half of what is left.
        long long share = own / (movestogo > 0 ? movestogo : 30) + std::max(0LL, increment) * 3 / 4;
        share = std::clamp(share, 1LL, std::max(1LL, own / 2));
        limits.HardLimit = milliseconds(share);
        limits.SoftLimit = milliseconds(std::max(1LL, share / 2));
    }
    return true;
}

void TUciSession::Go(std::istringstream& in) {
    TGoLimits limits;
    int perftDepth = 0;
    if (!ReadGoLimits(in, limits, perftDepth)) return;
    // Depth 8 unless a depth is given, with or without a time limit.
    Position_.SearchDepth = limits.Infinite ? MaxDepth : limits.Depth;
    std::lock_guard lock(StateMutex_);
    SearchRunning_ = true;
    InfiniteSearch_ = limits.Infinite && perftDepth == 0;
    StopSignalled_ = false;
    Engine_->StopRequested = false;
    if (perftDepth > 0)
        Worker_ = std::thread(&TUciSession::RunPerft, this, perftDepth);
    else
        Worker_ = std::thread(&TUciSession::RunSearch, this, limits);
}

void TUciSession::ReportIteration(int depth, int score, std::uint64_t nodes, const TMove* pv,
                                  int length) {
    std::string line = "info depth " + std::to_string(depth) + " score " + ScoreText(score) +
                       " nodes " + std::to_string(nodes);
    if (length > 0) line += " pv";
    for (int i = 0; i < length; ++i) {
        line += ' ';
        line += MoveText(pv[i]);
    }
    Send(line);
    LastLine_.assign(pv, pv + std::max(0, length));
    if (SoftLimit_.count() > 0 && Clock::now() - SearchStart_ >= SoftLimit_)
        Engine_->StopRequested = true;
}

// The first legal move, for a search stopped before its first iteration ended
// (or one whose line stayed empty); "0000" when there is none.
std::string TUciSession::FallbackMove() {
    Engine_->LoadBoard();
    for (const TMoveEntry& entry : Engine_->GeneratedMoves()) {
        if (!Engine_->DoMove(entry.Move)) continue;
        Engine_->UndoMove();
        return MoveText(entry.Move);
    }
    return "0000";
}

void TUciSession::RunSearch(TGoLimits limits) {
    SearchStart_ = Clock::now();
    SoftLimit_ = limits.SoftLimit;
    LastLine_.clear();
    Engine_->SetSource(Position_.Source());
    Engine_->OnIteration = [this](int depth, int score, std::uint64_t nodes, const TMove* pv,
                                  int length) { ReportIteration(depth, score, nodes, pv, length); };

    std::thread timer;
    if (limits.HardLimit.count() > 0) {
        timer = std::thread([this, deadline = SearchStart_ + limits.HardLimit] {
            std::unique_lock lock(StateMutex_);
            if (!StateChanged_.wait_until(lock, deadline, [this] { return StopSignalled_; }))
                Engine_->StopRequested = true;
        });
    }
    Engine_->Think();
    std::string best = LastLine_.empty() ? FallbackMove() : MoveText(LastLine_.front());

    {
        // An infinite search answers only when told to stop.
        std::unique_lock lock(StateMutex_);
        if (limits.Infinite) StateChanged_.wait(lock, [this] { return StopSignalled_; });
        StopSignalled_ = true;
        StateChanged_.notify_all();
    }
    if (timer.joinable()) timer.join();
    Engine_->OnIteration = nullptr;
    Send("bestmove " + best);
    std::lock_guard lock(StateMutex_);
    SearchRunning_ = false;
    StateChanged_.notify_all();
}

void TUciSession::RunPerft(int depth) {
    Engine_->SetSource(Position_.Source());
    Engine_->LoadBoard();
    std::uint64_t total = 0;
    for (const TMoveEntry& entry : Engine_->GeneratedMoves()) {
        if (!Engine_->DoMove(entry.Move)) continue;
        std::uint64_t leaves = Engine_->Perft(depth - 1);
        Engine_->UndoMove();
        total += leaves;
        Send(MoveText(entry.Move) + ": " + std::to_string(leaves));
    }
    if (Engine_->StopRequested) Send("info string perft stopped: the counts are partial");
    Send("");
    Send("Nodes searched: " + std::to_string(total));
    std::lock_guard lock(StateMutex_);
    SearchRunning_ = false;
    StateChanged_.notify_all();
}

void TUciSession::StopSearch() {
    if (!Worker_.joinable()) return;
    {
        std::lock_guard lock(StateMutex_);
        Engine_->StopRequested = true;
        StopSignalled_ = true;
        StateChanged_.notify_all();
    }
    Worker_.join();
}

void TUciSession::WaitForSearch() {
    if (!Worker_.joinable()) return;
    {
        // Only an infinite search waits for a stop; the others end by themselves.
        std::unique_lock lock(StateMutex_);
        if (!InfiniteSearch_) StateChanged_.wait(lock, [this] { return !SearchRunning_; });
    }
    StopSearch();
}
