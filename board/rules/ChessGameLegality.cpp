// The rules of chess as the board applies them: piece geometry, attacks on
// the kings, the legality of a move, and the search for any legal move.
//
// The attack tests look at the board as if the one piece on oldSq stood on
// newSq, without copying it: At() answers for that imagined board.
#include <cstdlib>
#include <cstring>

#include "board/rules/ChessGame.h"

namespace {

bool IsOnBoard(Square sq) {
    return sq >= 1 && sq <= 64;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

struct Step {
    int File;
    int Rank;
};

constexpr Step KnightSteps[] = {{-2, -1}, {-2, 1}, {2, -1}, {2, 1},
                                {-1, -2}, {-1, 2}, {1, -2}, {1, 2}};
constexpr Step DiagonalSteps[] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr Step StraightSteps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

}  // namespace

char TChessGame::At(Square sq, Square oldSq, Square newSq, char moved) const {
    if (sq == newSq) return moved;
    if (sq == oldSq) return ' ';
    return Board_[sq];
}

bool TChessGame::KingAttacked(char king, Square oldSq, Square newSq) const {
    if (!IsOnBoard(oldSq) || !IsOnBoard(newSq)) oldSq = newSq = None;
    const char moved = Board_[oldSq];
    const bool black = king == 'k';

    Square kingSq = None;
    for (Square sq = 1; sq <= 64 && kingSq == None; ++sq) {
        if (At(sq, oldSq, newSq, moved) == king) kingSq = sq;
    }
    if (kingSq == None) return black;  // no black king counts as attacked, no white one as safe

    // The attackers' letters: pawn, knight, bishop, rook, queen, king.
    const char pawn = black ? 'P' : 'p', knight = black ? 'N' : 'n', bishop = black ? 'B' : 'b',
               rook = black ? 'R' : 'r', queen = black ? 'Q' : 'q', enemyKing = black ? 'K' : 'k';
    const int f = FileOf(kingSq), r = RankOf(kingSq);
    const int pawnRank = black ? r - 1 : r + 1;
    auto holds = [&](int file, int rank, char letter) {
        const Square sq = SquareFromFileRank(file, rank);
        return sq != None && At(sq, oldSq, newSq, moved) == letter;
    };

    if (holds(f - 1, pawnRank, pawn) || holds(f + 1, pawnRank, pawn)) return true;
    for (const Step& s : KnightSteps) {
        if (holds(f + s.File, r + s.Rank, knight)) return true;
    }
    auto rayAttacked = [&](const Step& s, char slider) {
        for (int k = 1; k <= 7; ++k) {
            const Square sq = SquareFromFileRank(f + k * s.File, r + k * s.Rank);
            if (sq == None) return false;
            const char c = At(sq, oldSq, newSq, moved);
            if (c == slider || c == queen || (k == 1 && c == enemyKing)) return true;
            if (c != ' ') return false;
        }
        return false;
    };
    for (const Step& s : DiagonalSteps) {
        if (rayAttacked(s, bishop)) return true;
    }
    for (const Step& s : StraightSteps) {
        if (rayAttacked(s, rook)) return true;
    }
    return false;
}

bool TChessGame::WhiteKingAttacked(Square oldSq, Square newSq) const {
    return KingAttacked('K', oldSq, newSq);
}

bool TChessGame::BlackKingAttacked(Square oldSq, Square newSq) const {
    return KingAttacked('k', oldSq, newSq);
}

bool TChessGame::ValidPawnMove(Square oldSq, Square newSq) const {
    const int side = PieceSide(oldSq);
    if (side == -1 || Lower(Board_[oldSq]) != 'p') return false;
    const int df = std::abs(FileOf(newSq) - FileOf(oldSq));
    const int forward = side == 1 ? 1 : -1;
    const int enemy = 1 - side;
    if (RankOf(newSq) == RankOf(oldSq) + forward) {
        if (df == 0) return Board_[newSq] == ' ';
        if (df == 1) return PieceSide(newSq) == enemy || newSq == EnPassant_;
        return false;
    }
    const int startRank = side == 1 ? 2 : 7;
    const Square between = Square((oldSq + newSq) / 2);
    return RankOf(oldSq) == startRank && RankOf(newSq) == startRank + 2 * forward && df == 0 &&
           Board_[newSq] == ' ' && Board_[between] == ' ';
}

bool TChessGame::ValidKnightMove(Square oldSq, Square newSq) const {
    const int df = std::abs(FileOf(newSq) - FileOf(oldSq));
    const int dr = std::abs(RankOf(newSq) - RankOf(oldSq));
    return (df == 2 && dr == 1) || (df == 1 && dr == 2);
}

bool TChessGame::RayReaches(Square oldSq, Square newSq, int fileStep, int rankStep) const {
    const int mover = PieceSide(oldSq);
    for (int k = 1; k <= 7; ++k) {
        const Square sq =
            SquareFromFileRank(FileOf(oldSq) + k * fileStep, RankOf(oldSq) + k * rankStep);
        if (sq == None) return false;
        const int side = PieceSide(sq);
        if (sq == newSq && side != mover) return true;
        if (side != -1) return false;
    }
    return false;
}

bool TChessGame::ValidBishopMove(Square oldSq, Square newSq) const {
    for (const Step& s : DiagonalSteps) {
        if (RayReaches(oldSq, newSq, s.File, s.Rank)) return true;
    }
    return false;
}

bool TChessGame::ValidRookMove(Square oldSq, Square newSq) const {
    for (const Step& s : StraightSteps) {
        if (RayReaches(oldSq, newSq, s.File, s.Rank)) return true;
    }
    return false;
}

bool TChessGame::ValidQueenMove(Square oldSq, Square newSq) const {
    return ValidBishopMove(oldSq, newSq) || ValidRookMove(oldSq, newSq);
}

bool TChessGame::ValidKingMove(Square oldSq, Square newSq) const {
    const int df = std::abs(FileOf(newSq) - FileOf(oldSq));
    const int dr = std::abs(RankOf(newSq) - RankOf(oldSq));
    if (df <= 1 && dr <= 1) return true;
    return CastlingValid(oldSq, newSq);
}

// The four castlings, each known by its squares and its right alone.
bool TChessGame::CastlingValid(Square oldSq, Square newSq) const {
    struct Castling {
        Square From, To;
        CanStillCastle Right;
        Square RookSq;
        char Rook;
        Square Empty[3];
        Square Crossed;
        bool White;
    };
    static constexpr Castling Castlings[] = {
        {E1, G1, WhiteKingSide, H1, 'R', {G1, F1, None}, F1, true},
        {E1, C1, WhiteQueenSide, A1, 'R', {B1, C1, D1}, D1, true},
        {E8, G8, BlackKingSide, H8, 'r', {G8, F8, None}, F8, false},
        {E8, C8, BlackQueenSide, A8, 'r', {B8, C8, D8}, D8, false},
    };
    for (const Castling& c : Castlings) {
        if (oldSq != c.From || newSq != c.To) continue;
        if (!(CastlingAllowed_ & CastleBit(c.Right)) || Board_[c.RookSq] != c.Rook) return false;
        for (Square sq : c.Empty) {
            if (sq != None && Board_[sq] != ' ') return false;
        }
        const char king = c.White ? 'K' : 'k';
        return !KingAttacked(king, c.From, c.From) && !KingAttacked(king, c.From, c.Crossed) &&
               !KingAttacked(king, c.From, c.To);
    }
    return false;
}

bool TChessGame::PieceMoveValid(Square oldSq, Square newSq) const {
    switch (Lower(Board_[oldSq])) {
        case 'p':
            return ValidPawnMove(oldSq, newSq);
        case 'n':
            return ValidKnightMove(oldSq, newSq);
        case 'b':
            return ValidBishopMove(oldSq, newSq);
        case 'r':
            return ValidRookMove(oldSq, newSq);
        case 'q':
            return ValidQueenMove(oldSq, newSq);
        case 'k':
            return ValidKingMove(oldSq, newSq);
        default:
            return true;
    }
}

// Every test only reads the state, so the cheap ones run first and the scan
// of the record for a repetition last; the answer is the same in any order.
bool TChessGame::IsLegalMoveInternal(Square oldSq, Square newSq, bool repetitionRefuses) const {
    if (!IsOnBoard(oldSq) || !IsOnBoard(newSq)) return false;
    const int mover = PieceSide(oldSq);
    if (mover != (WhiteToMove_ ? 1 : 0)) return false;
    if (mover == PieceSide(newSq)) return false;
    if (!PieceMoveValid(oldSq, newSq)) return false;
    if (mover == 1 ? WhiteKingAttacked(oldSq, newSq) : BlackKingAttacked(oldSq, newSq))
        return false;
    return !(repetitionRefuses && IsThreefoldRepetition());
}

bool TChessGame::IsLegalMove(Square oldSq, Square newSq) const {
    return IsLegalMoveInternal(oldSq, newSq, true);
}

// A legal move leaves the mover's king safe already, so the second test that
// the search for a legal move names never changes its answer.
bool TChessGame::HasLegalReply(bool repetitionRefuses) const {
    if (repetitionRefuses && IsThreefoldRepetition()) return false;
    const int side = WhiteToMove_ ? 1 : 0;
    for (Square from = 1; from <= 64; ++from) {
        if (PieceSide(from) != side) continue;
        for (Square to = 1; to <= 64; ++to) {
            if (IsLegalMoveInternal(from, to, false)) return true;
        }
    }
    return false;
}

bool TChessGame::HasLegalMove() const {
    return HasLegalReply(true);
}

bool TChessGame::IsThreefoldRepetition() const {
    const int n = CurrentMove_;
    const int s = WhiteToMove_ ? 0 : 1;
    const MoveInfo& present = RecordEntry(n, s);
    int count = 0;
    int move = n, column = s;
    while (true) {
        // One half-move back.
        if (column == 1) {
            column = 0;
        } else {
            --move;
            column = 1;
        }
        if (move < 1) break;
        if (RecordEntry(move, column).Position == present.Position && ++count >= 2) return true;
    }
    return false;
}
