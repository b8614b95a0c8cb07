// The board's rules with computer play: the built-in engine on its worker
// thread, or moves asked of the host (a custom engine). Needs no display: the
// widget derives from it and adds the view.
#pragma once

#include <memory>

#include "board/rules/ChessGame.h"
#include "engine/thread/ChessThread.h"

class TComputerGame : public TChessGame {
public:
    // A board edited in a form designer has no engine.
    explicit TComputerGame(bool designing = false);
    // Ends the worker, whatever it is doing, before the fields it reads go.
    ~TComputerGame() override;

    // Halts computer play; for the built-in engine, returns once the worker is parked.
    void StopThinking() override;
    // Lets the computer move if it is its turn.
    void StartThinking() override;

    bool Thinking() const override { return Engine_ && Engine_->ThinkingFlag(); }
    void SetThinkingPriority(TThreadPriority value) override;

    // The component's message hook and its 500 ms timer: both ask a custom
    // engine again for a move while it is the computer's turn.
    void HandleMessage();
    void TimerTick();

    TChessThread* Engine() const { return Engine_.get(); }
    bool ComputerToMove() const;

protected:
    // True while the board's stored settings are being applied.
    virtual bool Loading() const { return false; }
    bool Designing() const { return Designing_; }

private:
    void ThinkingDone();
    void AskCustomEngine();
    bool MayAskCustomEngine() const;

    bool Designing_;
    std::unique_ptr<TChessThread> Engine_;
};
