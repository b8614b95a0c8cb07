#include "BoardDriver.h"

#include <array>
#include <istream>
#include <ostream>

#include "CommandText.h"

namespace {

// The events a move can raise, in the order the board raises them.
constexpr std::array<std::string_view, 11> EventNames = {
    "OnLegalMove", "OnCapture",          "OnPromotion",         "OnCastle", "OnCheck", "OnMate",
    "OnStaleMate", "OnNoMatingMaterial", "OnThreefoldPosition", "OnDraw",   "OnPaint"};

}  // namespace

TBoardDriver::TBoardDriver(std::ostream& out) : Out_(out) {
    Enabled_.insert(EventNames.begin(), EventNames.end());
    AssignHandlers();
}

void TBoardDriver::Run(std::istream& in) {
    std::string line;
    while (std::getline(in, line)) {
        if (!RunLine(line)) break;
        Out_.flush();
    }
    Out_.flush();
}

bool TBoardDriver::RunLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view body = Trim(line);
    if (body.empty() || body.front() == '#') return true;
    std::size_t end = 0;
    while (end < body.size() && !IsBlank(body[end])) ++end;
    std::string_view command = body.substr(0, end);
    // The text after the command word and one separator, kept as it is.
    std::string_view rest = end < body.size() ? body.substr(end + 1) : std::string_view();
    return RunCommand(command, rest, SplitWords(body.substr(end)));
}

bool TBoardDriver::RunCommand(std::string_view command, std::string_view rest, const TArgs& args) {
    if (command == "quit") return false;
    if (command == "echo") {
        Out_ << rest << '\n';
        return true;
    }
    if (RunSetting(command, rest, args) || RunMove(command, args) || RunQuery(command, args) ||
        RunRecord(command, args))
        return true;
    return Error("unknown command");
}

// Commands that set up the board or the driver's handlers; they print nothing.
bool TBoardDriver::RunSetting(std::string_view command, std::string_view rest, const TArgs& args) {
    if (command == "newgame" || command == "reset") {
        if (!args.empty()) return Error("too many arguments");
        command == "newgame" ? Game_.NewGame() : Game_.ResetGame();
        return true;
    }
    if (command == "position") {
        if (args.empty()) return Error("missing argument");
        std::string value(rest);
        for (char& c : value)
            if (c == '.') c = ' ';
        Game_.SetPosition(value);
        return true;
    }
    return RunOption(command, args);
}

// Commands with one argument that set the board's state or the driver's handlers.
bool TBoardDriver::RunOption(std::string_view command, const TArgs& args) {
    if (command != "white" && command != "castling" && command != "ep" && command != "promo" &&
        command != "handlers" && command != "endnew")
        return false;
    if (args.empty()) return Error("missing argument");
    if (args.size() > 1) return Error("too many arguments");
    std::string_view arg = args[0];
    bool flag = false;
    int number = 0;
    Square sq = None;
    if (command == "white") {
        if (!ParseFlag(arg, flag)) return Error("expected 0 or 1");
        Game_.SetWhiteToMove(flag);
    } else if (command == "endnew") {
        if (!ParseFlag(arg, flag)) return Error("expected 0 or 1");
        EndNew_ = flag;
    } else if (command == "castling") {
        if (!ParseInt(arg, number) || number < 0 || number > 15)
            return Error("expected castling bits 0..15");
        Game_.SetCastlingAllowed(static_cast<CastleSet>(number));
    } else if (command == "ep") {
        if (arg != "-" && !ParseSquare(arg, sq, true)) return Error("bad square");
        Game_.SetEnPassant(sq);
    } else if (command == "promo") {
        if (arg.size() != 1) return Error("expected one character");
        HasPromo_ = true;
        Promo_ = arg[0];
    } else {
        SetHandlers(arg);
    }
    return true;
}

bool TBoardDriver::RunMove(std::string_view command, const TArgs& args) {
    if (command != "move" && command != "user") return false;
    Square oldSq = None, newSq = None;
    if (args.size() < 2) return Error("missing argument");
    if (args.size() > 2) return Error("too many arguments");
    if (!ParseSquare(args[0], oldSq, true) || !ParseSquare(args[1], newSq, true))
        return Error("bad square");
    MoveRunning_ = true;
    bool made = command == "move" ? Game_.MakeMove(oldSq, newSq) : Game_.UserMove(oldSq, newSq);
    MoveRunning_ = false;
    PrintResult(made);
    return true;
}

bool TBoardDriver::RunQuery(std::string_view command, const TArgs& args) {
    if (command == "haslegal" || command == "threefold" || command == "state") {
        if (!args.empty()) return Error("too many arguments");
        if (command == "state")
            PrintState();
        else
            PrintBool(command == "haslegal" ? Game_.HasLegalMove() : Game_.IsThreefoldRepetition());
        return true;
    }
    if (command != "legal" && command != "wka" && command != "bka") return false;
    if (args.size() < 2) return Error("missing argument");
    if (args.size() > 2) return Error("too many arguments");
    Square oldSq = None, newSq = None;
    // The attack tests are defined for squares on the board only.
    bool numbers = command == "legal";
    if (!ParseSquare(args[0], oldSq, numbers) || !ParseSquare(args[1], newSq, numbers))
        return Error("bad square");
    if (command == "legal")
        PrintBool(Game_.IsLegalMove(oldSq, newSq));
    else if (command == "wka")
        PrintBool(Game_.WhiteKingAttacked(oldSq, newSq));
    else
        PrintBool(Game_.BlackKingAttacked(oldSq, newSq));
    return true;
}

bool TBoardDriver::RunRecord(std::string_view command, const TArgs& args) {
    if (command == "back" || command == "forward" || command == "list") {
        if (!args.empty()) return Error("too many arguments");
        if (command == "list")
            PrintList();
        else
            PrintResult(command == "back" ? Game_.TakeBackMove() : Game_.ForwardMove());
        return true;
    }
    if (command != "goto") return false;
    if (args.size() < 2) return Error("missing argument");
    if (args.size() > 2) return Error("too many arguments");
    int number = 0;
    if (!ParseInt(args[0], number)) return Error("bad number");
    if (args[1] != "w" && args[1] != "b") return Error("expected w or b");
    PrintResult(Game_.GotoMove(number, args[1] == "w"));
    return true;
}

void TBoardDriver::SetHandlers(std::string_view list) {
    std::set<std::string> enabled;
    if (list == "all") {
        enabled.insert(EventNames.begin(), EventNames.end());
    } else if (list != "none") {
        while (true) {
            std::size_t comma = list.find(',');
            std::string_view name = list.substr(0, comma);
            bool known = false;
            for (std::string_view event : EventNames) known = known || event == name;
            if (!known) {
                Error("unknown event");
                return;
            }
            enabled.insert(std::string(name));
            if (comma == std::string_view::npos) break;
            list.remove_prefix(comma + 1);
        }
    }
    Enabled_ = std::move(enabled);
    AssignHandlers();
}

void TBoardDriver::AssignHandlers() {
    AssignMoveEvents();
    AssignEndEvents();
    Game_.OnPaint = nullptr;
    if (Assigned("OnPaint"))
        Game_.OnPaint = [this](TChessGame&) {
            if (MoveRunning_ && !InRepaint_) Out_ << "ev OnPaint\n";
        };
}

void TBoardDriver::AssignMoveEvents() {
    auto moveEvent = [this](std::string_view name) -> TMoveEvent {
        if (!Assigned(name)) return nullptr;
        return [this, name](TChessGame&, Square oldSq, Square newSq) {
            PrintEvent(name, oldSq, newSq);
        };
    };
    Game_.OnLegalMove = moveEvent("OnLegalMove");
    Game_.OnCastle = moveEvent("OnCastle");
    Game_.OnCheck = moveEvent("OnCheck");
    Game_.OnStaleMate = moveEvent("OnStaleMate");
    Game_.OnCapture = nullptr;
    if (Assigned("OnCapture"))
        Game_.OnCapture = [this](TChessGame&, Square oldSq, Square newSq, char captured) {
            Out_ << "ev OnCapture " << SquareName(oldSq) << ' ' << SquareName(newSq) << ' '
                 << Shown(captured) << '\n';
        };
    Game_.OnPromotion = nullptr;
    if (Assigned("OnPromotion"))
        Game_.OnPromotion = [this](TChessGame&, Square oldSq, Square newSq, char& newPiece) {
            Out_ << "ev OnPromotion " << SquareName(oldSq) << ' ' << SquareName(newSq) << ' '
                 << Shown(newPiece) << '\n';
            if (HasPromo_) newPiece = Promo_;
        };
}

void TBoardDriver::AssignEndEvents() {
    auto notifyEvent = [this](std::string_view name) -> TNotifyEvent {
        if (!Assigned(name)) return nullptr;
        return [this, name](TChessGame&) { Out_ << "ev " << name << '\n'; };
    };
    Game_.OnNoMatingMaterial = notifyEvent("OnNoMatingMaterial");
    Game_.OnThreefoldPosition = notifyEvent("OnThreefoldPosition");
    Game_.OnMate = nullptr;
    if (Assigned("OnMate"))
        Game_.OnMate = [this](TChessGame&, Square oldSq, Square newSq) {
            PrintEvent("OnMate", oldSq, newSq);
            NewGameFromHandler();
        };
    Game_.OnDraw = nullptr;
    if (Assigned("OnDraw"))
        Game_.OnDraw = [this](TChessGame&) {
            Out_ << "ev OnDraw\n";
            NewGameFromHandler();
        };
}

void TBoardDriver::NewGameFromHandler() {
    if (!EndNew_) return;
    InRepaint_ = true;
    Game_.NewGame();
    InRepaint_ = false;
}

void TBoardDriver::PrintEvent(std::string_view name, Square oldSq, Square newSq) {
    Out_ << "ev " << name << ' ' << SquareName(oldSq) << ' ' << SquareName(newSq) << '\n';
}

void TBoardDriver::PrintBool(bool value) {
    Out_ << (value ? "true" : "false") << '\n';
}

void TBoardDriver::PrintResult(bool value) {
    Out_ << "-> " << (value ? "true" : "false") << '\n';
}

void TBoardDriver::PrintList() {
    std::vector<std::string> lines;
    Game_.GetMoveList(lines);
    for (const std::string& line : lines) Out_ << "| " << line << '\n';
    Out_ << "end\n";
}

void TBoardDriver::PrintState() {
    const char* board = Game_.Board();
    std::string squares;
    for (int sq = 1; sq <= SquareCount; ++sq) squares += Shown(board[sq]);
    auto side = [](bool white) { return white ? 'w' : 'b'; };
    Out_ << "pos " << squares << " side " << side(Game_.WhiteToMove()) << " move "
         << Game_.CurrentMove() << " castle " << int(Game_.CastlingAllowed()) << " ep "
         << SquareName(Game_.EnPassant()) << " first " << Game_.FirstMove() << ' '
         << side(Game_.FirstWhiteToMove()) << " last " << Game_.LastMove() << ' '
         << side(Game_.LastWhiteToMove()) << " gameover " << int(Game_.GameOver()) << " halted "
         << int(Game_.Halted()) << " sentinel " << Shown(board[0]) << '\n';
}

bool TBoardDriver::Error(std::string_view reason) {
    Out_ << "error: " << reason << '\n';
    return true;
}
