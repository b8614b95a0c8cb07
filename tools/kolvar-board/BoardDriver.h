// A line-oriented driver of the board's rules: it reads one command a line
// and answers in a fixed text format, so that scripts and scenario tests can
// play games on the rules without a view.
//
// Silent set-up: newgame, reset, position TEXT ("." for a space), white 0|1,
// castling 0..15, ep SQ|-|0..64, promo X, handlers all|none|OnCheck,...,
// endnew 0|1. Moves: move A B, user A B answer "ev NAME ARGS" per event,
// then "-> true|false". Queries: legal, wka, bka A B, haslegal, threefold
// answer true|false; back, forward, goto N w|b answer "-> true|false";
// list answers "| LINE"... "end"; state answers one line. echo TEXT prints
// TEXT (scenario runners use it to interleave commands with answers); quit.
// Anything else answers "error: REASON".
#pragma once

#include <iosfwd>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "board/rules/ChessGame.h"

class TBoardDriver {
public:
    explicit TBoardDriver(std::ostream& out);

    // Reads commands until "quit" or the end of the input.
    void Run(std::istream& in);
    // Runs one input line; answers false once the driver should stop.
    bool RunLine(std::string_view line);

private:
    using TArgs = std::vector<std::string_view>;

    bool RunCommand(std::string_view command, std::string_view rest, const TArgs& args);
    bool RunSetting(std::string_view command, std::string_view rest, const TArgs& args);
    bool RunOption(std::string_view command, const TArgs& args);
    bool RunMove(std::string_view command, const TArgs& args);
    bool RunQuery(std::string_view command, const TArgs& args);
    bool RunRecord(std::string_view command, const TArgs& args);

    void SetHandlers(std::string_view list);
    void AssignHandlers();
    void AssignMoveEvents();
    void AssignEndEvents();
    bool Assigned(std::string_view name) const { return Enabled_.count(std::string(name)) > 0; }
    // The main window's end-of-game handlers start a new game from inside the event.
    void NewGameFromHandler();

    void PrintEvent(std::string_view name, Square oldSq, Square newSq);
    void PrintBool(bool value);
    void PrintResult(bool value);
    void PrintList();
    void PrintState();
    // Prints the reason; answers true, the command having been handled.
    bool Error(std::string_view reason);

    std::ostream& Out_;
    TChessGame Game_;
    std::set<std::string> Enabled_;
    bool HasPromo_ = false;
    char Promo_ = 'q';
    bool EndNew_ = false;
    // OnPaint is shown only for the end of a move, not for full repaints.
    bool MoveRunning_ = false;
    bool InRepaint_ = false;
};
