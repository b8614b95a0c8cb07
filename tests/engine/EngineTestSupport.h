// A fresh engine set up from FEN, for the engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/ChessEngine.h"
#include "tools/kolvar-engine/UciPosition.h"

struct TEngineFixture {
    TUciPosition Position;
    std::unique_ptr<TChessEngine> Engine = std::make_unique<TChessEngine>();

    explicit TEngineFixture(const std::string& fen, int depth = 1) {
        std::string error;
        EXPECT_TRUE(Position.SetFen(fen, error)) << fen << ": " << error;
        Position.SearchDepth = depth;
        Engine->SetSource(Position.Source());
        Engine->LoadBoard();
        Engine->PrepareEvalTables();
    }
};

inline constexpr char StartFen[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Square index of a name such as "e4".
inline int Sq(const char* name) {
    return SquareIndex(name);
}

inline TMove MakeMoveRecord(const char* from, const char* to, int flags, int promote = 0) {
    return TMove{std::uint8_t(Sq(from)), std::uint8_t(Sq(to)), std::uint8_t(promote),
                 std::uint8_t(flags)};
}
