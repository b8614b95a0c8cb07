#include "board/play/ComputerGame.h"

#include "platform/core/MainThreadDispatcher.h"

TComputerGame::TComputerGame(bool designing) : Designing_(designing) {
    if (designing) return;
    TChessThreadLinks links;
    links.Board = MutableBoard();
    links.WhiteToMove = &WhiteToMoveField();
    links.CastlingAllowed = &CastlingField();
    links.EnPassant = &EnPassantField();
    links.ComputerPlaysWhite = &ComputerPlaysWhiteField();
    links.ComputerPlaysBlack = &ComputerPlaysBlackField();
    links.SearchDepth = &SearchDepthField();
    links.Priority = &ThinkingPriorityField();
    Engine_ = std::make_unique<TChessThread>(
        links, [this](Square oldSq, Square newSq) { return MakeMove(oldSq, newSq); },
        [this] { ThinkingDone(); });
}

TComputerGame::~TComputerGame() {
    Engine_.reset();
}

bool TComputerGame::ComputerToMove() const {
    return (ComputerPlaysWhite() && WhiteToMove()) || (ComputerPlaysBlack() && !WhiteToMove());
}

// Inside the worker's own move the worker waits for us, so it cannot park:
// after a mate or a draw nothing is signalled (the next pass starts on
// whatever game the handlers left), otherwise the stop takes effect right
// after the move. Everywhere else the worker is parked before we return, with
// the custom engine on too, should a search still be under way.
void TComputerGame::StopThinking() {
    if (Engine_) {
        if (!Engine_->InHandBack()) {
            Engine_->RequestStop();
            while (!Engine_->Suspended()) ProcessMessages();
        } else if (!GameOver()) {
            Engine_->RequestStop();
        }
    }
    SetHalted(true);
}

void TComputerGame::StartThinking() {
    if (Designing_ || Loading()) return;
    if (!CustomEngine()) {
        if (Engine_) Engine_->Wake();
        return;
    }
    if (ComputerToMove() && OnCalculateMove && !Halted()) AskCustomEngine();
}

void TComputerGame::AskCustomEngine() {
    Square oldSq = None, newSq = None;
    OnCalculateMove(*this, oldSq, newSq);
    if (Halted()) return;  // the handler stopped play
    if (!MakeMove(oldSq, newSq) && OnCalculationFailed) OnCalculationFailed(*this, oldSq, newSq);
}

void TComputerGame::ThinkingDone() {
    Engine_->ClearThinkingFlag();
    Engine_->Suspend();
    if (!Engine_->StopRequested()) StartThinking();
}

void TComputerGame::SetThinkingPriority(TThreadPriority value) {
    TChessGame::SetThinkingPriority(value);
    if (Engine_) Engine_->SetPriority(value);
}

bool TComputerGame::MayAskCustomEngine() const {
    return !Halted() && CustomEngine() && ComputerToMove() && !Designing_ && !Loading();
}

void TComputerGame::HandleMessage() {
    if (MayAskCustomEngine()) StartThinking();
}

void TComputerGame::TimerTick() {
    if (MayAskCustomEngine()) StartThinking();
}
