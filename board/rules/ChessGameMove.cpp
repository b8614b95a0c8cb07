// Making a move: the record, the board, the rules' state, the end of the game
// and the events, in the one order every caller relies on.
#include "board/rules/ChessGame.h"

namespace {

int MaterialWeight(char c) {
    switch (c) {
        case 'B':
        case 'b':
            return 3;
        case 'N':
        case 'n':
            return 2;
        case 'P':
        case 'p':
        case 'R':
        case 'r':
        case 'Q':
        case 'q':
            return 5;
        default:
            return 0;
    }
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

bool IsPromotionLetter(char c) {
    const char u = Upper(c);
    return u == 'Q' || u == 'R' || u == 'B' || u == 'N';
}

}  // namespace

bool TChessGame::EitherKingAttackedNow() const {
    return WhiteKingAttacked(None, None) || BlackKingAttacked(None, None);
}

bool TChessGame::MakeMove(Square oldSq, Square newSq) {
    GameOver_ = false;
    if (!IsLegalMove(oldSq, newSq)) return false;
    bool check = WhiteKingAttacked(oldSq, newSq) || BlackKingAttacked(oldSq, newSq);
    bool draw = false;

    // A game set up with Black to move starts its record at Black's half-move.
    if (LastMove_ == FirstMove_ && LastWhiteToMove_ == FirstWhiteToMove_ &&
        CurrentMove_ == FirstMove_ && !WhiteToMove_)
        FirstWhiteToMove_ = false;

    // The position before the move, with the move made from it.
    MoveInfo& before = WritableEntry(CurrentMove_, WhiteToMove_ ? 0 : 1);
    RecordPosition(before);
    before.OldSq = oldSq;
    before.NewSq = newSq;

    DrawSquare(oldSq);
    if (AnimateMoves_ && !(oldSq == DragFromSq_ && newSq == DragToSq_)) {
        DrawGridLines();
        AnimateMove(oldSq, newSq, AnimationDelay_);
    }
    const char captured = Board_[newSq];
    MovePieceOnBoard(oldSq, newSq);
    DrawSquare(newSq);
    DrawPiece(newSq, Board_[newSq]);
    DrawGridLines();

    if (!WhiteToMove_) ++CurrentMove_;
    WhiteToMove_ = !WhiteToMove_;
    LastMove_ = CurrentMove_;
    LastWhiteToMove_ = WhiteToMove_;

    if (OnLegalMove) OnLegalMove(*this, oldSq, newSq);
    if (captured != ' ' && OnCapture) OnCapture(*this, oldSq, newSq, captured);

    const char moved = Board_[newSq];
    if ((moved == 'P' || moved == 'p') && (RankOf(newSq) == 8 || RankOf(newSq) == 1)) {
        char newPiece = PromotionPiece_;
        if (OnPromotion) OnPromotion(*this, oldSq, newSq, newPiece);
        // Only a piece a pawn may become is kept; anything else would put a
        // letter on the board that no rule knows.
        SetPromotionPiece(newPiece);
        PromotePawn(newSq);
        check = EitherKingAttackedNow();
    }

    const Square oldEnPassant = EnPassant_;
    CaptureEnPassant(oldSq, newSq, oldEnPassant, check);

    const char now = Board_[newSq];
    const bool whiteDouble = now == 'P' && RankOf(oldSq) == 2 && RankOf(newSq) == 4;
    const bool blackDouble = now == 'p' && RankOf(oldSq) == 7 && RankOf(newSq) == 5;
    EnPassant_ = (whiteDouble || blackDouble) ? Square((oldSq + newSq) / 2) : None;

    MoveCastlingRook(oldSq, newSq, check);
    UpdateCastlingRights(oldSq);

    // The reply test leaves the repetition refusal out: the record entry of the
    // new position is not written yet and may hold an older game's text.
    const bool reply = HasLegalReply(false);
    if (check) {
        if (OnCheck) OnCheck(*this, oldSq, newSq);
        if (!reply && OnMate) {
            GameOver_ = true;
            OnMate(*this, oldSq, newSq);
        }
    } else if (!reply) {
        if (OnStaleMate) OnStaleMate(*this, oldSq, newSq);
        draw = true;
    }

    if (LacksMatingMaterial()) {
        if (OnNoMatingMaterial) OnNoMatingMaterial(*this);
        draw = true;
    }

    // The position after the move; its own move is written when one is made from it.
    RecordPosition(WritableEntry(CurrentMove_, WhiteToMove_ ? 0 : 1));
    LastMove_ = CurrentMove_;
    LastWhiteToMove_ = WhiteToMove_;

    if (IsThreefoldRepetition()) {
        if (OnThreefoldPosition) OnThreefoldPosition(*this);
        draw = true;
    }
    if (draw && OnDraw) {
        GameOver_ = true;
        OnDraw(*this);
    }
    if (OnPaint) OnPaint(*this);
    return true;
}

void TChessGame::MovePieceOnBoard(Square from, Square to) {
    Board_[to] = Board_[from];
    Board_[from] = ' ';
}

// A pawn that steps diagonally onto the en-passant square takes the pawn
// beside it. Only an enemy pawn is taken: a set-up position may name an
// en-passant square with something else behind it.
void TChessGame::CaptureEnPassant(Square oldSq, Square newSq, Square oldEnPassant, bool& check) {
    if (newSq != oldEnPassant) return;
    Square taken = None;
    char victim = ' ';
    if (RankOf(newSq) == 6 && Board_[newSq] == 'P') {
        taken = Square(newSq + 8);
        victim = 'p';
    } else if (RankOf(newSq) == 3 && Board_[newSq] == 'p') {
        taken = Square(newSq - 8);
        victim = 'P';
    }
    if (taken == None || Board_[taken] != victim) return;
    if (OnCapture) OnCapture(*this, oldSq, newSq, Board_[taken]);
    Board_[taken] = ' ';
    DrawSquare(taken);
    DrawGridLines();
    check = EitherKingAttackedNow();
}

void TChessGame::MoveCastlingRook(Square oldSq, Square newSq, bool& check) {
    struct RookMove {
        char King;
        Square KingFrom, KingTo, RookFrom, RookTo;
        char Rook;
    };
    static constexpr RookMove RookMoves[] = {
        {'K', E1, G1, H1, F1, 'R'},
        {'K', E1, C1, A1, D1, 'R'},
        {'k', E8, G8, H8, F8, 'r'},
        {'k', E8, C8, A8, D8, 'r'},
    };
    for (const RookMove& m : RookMoves) {
        if (Board_[newSq] != m.King || oldSq != m.KingFrom || newSq != m.KingTo) continue;
        Board_[m.RookTo] = m.Rook;
        Board_[m.RookFrom] = ' ';
        DrawSquare(m.RookFrom);
        DrawPiece(m.RookTo, m.Rook);
        DrawGridLines();
        check = EitherKingAttackedNow();
        if (OnCastle) OnCastle(*this, oldSq, newSq);
    }
}

void TChessGame::UpdateCastlingRights(Square oldSq) {
    switch (oldSq) {
        case A8:
            CastlingAllowed_ &= ~CastleBit(BlackQueenSide);
            break;
        case E8:
            CastlingAllowed_ &= ~(CastleBit(BlackQueenSide) | CastleBit(BlackKingSide));
            break;
        case H8:
            CastlingAllowed_ &= ~CastleBit(BlackKingSide);
            break;
        case A1:
            CastlingAllowed_ &= ~CastleBit(WhiteQueenSide);
            break;
        case E1:
            CastlingAllowed_ &= ~(CastleBit(WhiteQueenSide) | CastleBit(WhiteKingSide));
            break;
        case H1:
            CastlingAllowed_ &= ~CastleBit(WhiteKingSide);
            break;
        default:
            break;
    }
}

// A lone bishop, a knight or two knights cannot mate; kings count nothing.
bool TChessGame::LacksMatingMaterial() const {
    int white = 0, black = 0;
    for (Square sq = 1; sq <= 64; ++sq) {
        const char c = Board_[sq];
        if (c >= 'A' && c <= 'Z') white += MaterialWeight(c);
        if (c >= 'a' && c <= 'z') black += MaterialWeight(c);
    }
    return white < 5 && black < 5;
}

void TChessGame::SetPromotionPiece(char value) {
    if (IsPromotionLetter(value)) PromotionPiece_ = value;
}

void TChessGame::PromotePawn(Square sq) {
    const char piece = Upper(PromotionPiece_);
    if (RankOf(sq) == 8) Board_[sq] = piece;
    if (RankOf(sq) == 1) Board_[sq] = char(piece + 32);
    DrawSquare(sq);
    DrawPiece(sq, Board_[sq]);
    DrawGridLines();
}

bool TChessGame::UserMove(Square oldSq, Square newSq) {
    StopThinking();
    const bool result = MakeMove(oldSq, newSq);
    Halted_ = false;
    StartThinking();
    return result;
}
