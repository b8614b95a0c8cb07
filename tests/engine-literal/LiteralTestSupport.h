// Small helpers for the reference engine's tests: an engine loaded with a
// FEN position, and moves written with the board's square names.
#pragma once

#include <memory>
#include <ostream>
#include <string_view>

#include "tests/engine-literal/FenPosition.h"
#include "tests/engine-literal/LiteralEngine.h"

// Engine square index of a board square.
constexpr int Index(Square sq) {
    return sq - 1;
}

inline TMove MoveOf(Square from, Square to, std::uint8_t flags, std::uint8_t promote = 0) {
    return TMove{std::uint8_t(Index(from)), std::uint8_t(Index(to)), promote, flags};
}

// Failure messages name moves as "e2e4/16" (squares and flags).
inline void PrintTo(TMove m, std::ostream* os) {
    *os << MoveText(m) << "/" << int(m.Flags);
}

// A fresh engine reading one position; the position stays in place because
// the engine keeps pointers to it.
struct TLoadedEngine {
    TFenPosition Position;
    std::unique_ptr<TLiteralEngine> Engine = std::make_unique<TLiteralEngine>();

    explicit TLoadedEngine(std::string_view fen, int depth = 1) : Position(PositionFromFen(fen)) {
        Position.SearchDepth = depth;
        Engine->SetSource(Position.Source());
        Engine->LoadBoard();
        Engine->PrepareEvalTables();
    }
    TLoadedEngine(const TLoadedEngine&) = delete;
    TLoadedEngine& operator=(const TLoadedEngine&) = delete;

    TLiteralEngine* operator->() { return Engine.get(); }
};

inline constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
