// Headless computer play: the worker's calls onto the main thread are served
// by ProcessMessages, which these helpers pump while they wait.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "board/play/ComputerGame.h"
#include "platform/core/MainThreadDispatcher.h"
#include "tests/support/PositionText.h"

// Pumps messages until the condition holds; false after a generous limit,
// which only a hang reaches.
inline bool PumpUntil(const std::function<bool()>& condition, int seconds = 30) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        ProcessMessages();
    }
    return true;
}

// Pumps messages for a while, serving whatever the worker asks.
inline void PumpFor(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) ProcessMessages();
}

inline int HalfMovesPlayed(const TChessGame& game) {
    return 2 * (game.CurrentMove() - 1) + (game.WhiteToMove() ? 0 : 1);
}
