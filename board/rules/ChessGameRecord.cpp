// The record of the game: writing its entries, moving through it and the
// move list.
#include <cstring>

#include "board/rules/ChessGame.h"

namespace {

std::string SquareName(Square sq) {
    return {char(TChessGame::FileOf(sq) + 64), char(TChessGame::RankOf(sq) + 48)};
}

}  // namespace

const MoveInfo& TChessGame::RecordEntry(int n, int s) const {
    static const MoveInfo unwritten{};
    if (n < 1 || n >= int(GameRecord_.size()) || s < 0 || s > 1) return unwritten;
    return GameRecord_[n][s];
}

MoveInfo& TChessGame::WritableEntry(int n, int s) {
    // The record grows with the game, so no move number runs past its end.
    if (n >= int(GameRecord_.size())) GameRecord_.resize(n + 1);
    return GameRecord_[n][s];
}

void TChessGame::RecordPosition(MoveInfo& entry) const {
    std::memcpy(entry.Position.data(), Board_ + 1, SquareCount);
    entry.Castling = CastlingAllowed_;
    entry.EnPassant = EnPassant_;
}

bool TChessGame::GotoMove(int moveNumber, bool whiteToMove) {
    StopThinking();
    if (moveNumber > LastMove_) return false;
    if (moveNumber == LastMove_ && LastWhiteToMove_ && !whiteToMove) return false;
    if (moveNumber < FirstMove_) return false;
    if (moveNumber == FirstMove_ && !FirstWhiteToMove_ && whiteToMove) return false;

    // Before the first move nothing is recorded yet: the board already shows
    // the game's only position, and any other jump would load an entry that
    // was never written (or an earlier game's).
    if (LastMove_ == FirstMove_ && LastWhiteToMove_ == FirstWhiteToMove_)
        return moveNumber == CurrentMove_ && whiteToMove == WhiteToMove_;

    CurrentMove_ = moveNumber;
    WhiteToMove_ = whiteToMove;
    const std::string old = Position();
    const MoveInfo& entry = RecordEntry(moveNumber, whiteToMove ? 0 : 1);
    std::memcpy(Board_ + 1, entry.Position.data(), SquareCount);
    Board_[BoardCells - 1] = '\0';
    EnPassant_ = entry.EnPassant;
    CastlingAllowed_ = entry.Castling;
    RedrawChangedSquares(old);
    return true;
}

bool TChessGame::TakeBackMove() {
    return WhiteToMove_ ? GotoMove(CurrentMove_ - 1, false) : GotoMove(CurrentMove_, true);
}

bool TChessGame::ForwardMove() {
    return WhiteToMove_ ? GotoMove(CurrentMove_, false) : GotoMove(CurrentMove_ + 1, true);
}

void TChessGame::GetMoveList(std::vector<std::string>& lines) const {
    for (int n = FirstMove_; n <= LastMove_; ++n) {
        for (int s = (n == FirstMove_ && !FirstWhiteToMove_) ? 1 : 0; s < 2; ++s) {
            if (n == LastMove_ && s == (LastWhiteToMove_ ? 0 : 1)) return;
            const MoveInfo& entry = RecordEntry(n, s);
            const std::string move = SquareName(entry.OldSq) + "-" + SquareName(entry.NewSq);
            lines.push_back(s == 0 ? std::to_string(n) + ". " + move : std::string(14, ' ') + move);
        }
    }
}
