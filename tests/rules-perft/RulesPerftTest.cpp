// Perft over the board's rules: every legal move found by IsLegalMove over all
// pairs of squares, made with MakeMove and taken back with TakeBackMove, must
// give the well-known leaf counts of standard test positions. Positions where
// the board judges en passant differently from chess are left out, and the
// depths stay far below the eight half-moves a threefold repetition needs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "board/rules/ChessGame.h"

namespace {

struct TPerftCase {
    const char* Name;
    const char* Fen;
    std::vector<std::uint64_t> Counts;  // depth 1 first
    int QuickDepth;                     // deeper counts run only on request
};

// Places the pieces of a FEN's first four fields on the board.
void SetUpFen(TChessGame& game, const std::string& fen) {
    std::string placement, side, castling, enPassant;
    std::size_t at = 0;
    for (std::string* field : {&placement, &side, &castling, &enPassant}) {
        std::size_t end = fen.find(' ', at);
        *field = fen.substr(at, end - at);
        at = end == std::string::npos ? fen.size() : end + 1;
    }
    std::string position;
    for (char c : placement) {
        if (c == '/') continue;
        if (c >= '1' && c <= '8')
            position.append(std::size_t(c - '0'), ' ');
        else
            position += c;
    }
    ASSERT_EQ(position.size(), std::size_t(SquareCount)) << fen;
    game.SetPosition(position);
    game.SetWhiteToMove(side == "w");
    CastleSet rights = 0;
    for (char c : castling) {
        if (c == 'K') rights |= CastleBit(WhiteKingSide);
        if (c == 'Q') rights |= CastleBit(WhiteQueenSide);
        if (c == 'k') rights |= CastleBit(BlackKingSide);
        if (c == 'q') rights |= CastleBit(BlackQueenSide);
    }
    game.SetCastlingAllowed(rights);
    if (enPassant != "-")
        game.SetEnPassant(
            TChessGame::SquareFromFileRank(enPassant[0] - 'a' + 1, enPassant[1] - '0'));
}

// The whole state a take-back has to restore.
struct TSnapshot {
    std::string Position;
    bool WhiteToMove;
    int CurrentMove;
    CastleSet Castling;
    Square EnPassant;

    explicit TSnapshot(const TChessGame& game)
        : Position(game.Position()),
          WhiteToMove(game.WhiteToMove()),
          CurrentMove(game.CurrentMove()),
          Castling(game.CastlingAllowed()),
          EnPassant(game.EnPassant()) {}
    bool operator==(const TSnapshot&) const = default;
};

bool Promotes(const TChessGame& game, Square from, Square to) {
    char piece = game.PieceAt(from);
    int rank = TChessGame::RankOf(to);
    return (piece == 'P' && rank == 8) || (piece == 'p' && rank == 1);
}

// A promoting pair is four moves: the board promotes to PromotionPiece.
std::uint64_t Perft(TChessGame& game, int depth) {
    std::uint64_t leaves = 0;
    bool anyMove = false;
    for (Square from = 1; from <= SquareCount; ++from) {
        for (Square to = 1; to <= SquareCount; ++to) {
            if (!game.IsLegalMove(from, to)) continue;
            anyMove = true;
            bool promotes = Promotes(game, from, to);
            if (depth == 1) {
                leaves += promotes ? 4 : 1;
                continue;
            }
            for (char piece : std::string(promotes ? "qrbn" : "q")) {
                game.SetPromotionPiece(piece);
                TSnapshot before(game);
                if (!game.MakeMove(from, to)) {
                    ADD_FAILURE() << "legal move refused: " << int(from) << "-" << int(to);
                    return leaves;
                }
                leaves += Perft(game, depth - 1);
                if (!game.TakeBackMove() || !(TSnapshot(game) == before)) {
                    ADD_FAILURE() << "take-back did not restore the position before " << int(from)
                                  << "-" << int(to);
                    return leaves;
                }
            }
        }
    }
    // Mate and stalemate are decided by HasLegalMove: it must agree with the pairs.
    if (game.HasLegalMove() != anyMove)
        ADD_FAILURE() << "HasLegalMove disagrees in " << game.Position();
    return leaves;
}

// KOLVAR_PERFT_DEEP=1 adds the slower counts (some twenty seconds in release).
bool DeepRequested() {
    const char* deep = std::getenv("KOLVAR_PERFT_DEEP");
    return deep != nullptr && std::string(deep) == "1";
}

class RulesPerft : public ::testing::TestWithParam<TPerftCase> {};

TEST_P(RulesPerft, MatchesKnownCounts) {
    const TPerftCase& c = GetParam();
    int depths = DeepRequested() ? int(c.Counts.size()) : c.QuickDepth;
    for (int depth = 1; depth <= depths; ++depth) {
        TChessGame game;
        SetUpFen(game, c.Fen);
        EXPECT_EQ(Perft(game, depth), c.Counts[depth - 1]) << c.Name << " depth " << depth;
    }
}

// From the standard list; left out: positions with an en-passant capture that
// the board judges with the taken pawn in place (it differs from chess there).
const TPerftCase Cases[] = {
    {"start",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
     {20, 400, 8902, 197281, 4865609},
     4},
    {"kiwipete",
     "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
     {48, 2039, 97862, 4085603},
     3},
    {"castling_promotions",
     "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     {6, 264, 9467, 422333},
     3},
    // Black to move at move 1: the record then starts at Black's half-move.
    {"castling_promotions_mirrored",
     "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
     {6, 264, 9467, 422333},
     3},
    {"middlegame_promotion",
     "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
     {44, 1486, 62379, 2103487},
     3},
    // The en-passant capture uncovers a check on the other king: legal here as in chess.
    {"en_passant_check_on_rank",
     "8/8/3k4/8/1KPp3r/8/8/8 b - c3 0 1",
     {18, 107, 1925, 11029, 206361},
     4},
};

INSTANTIATE_TEST_SUITE_P(StandardPositions, RulesPerft, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Where the board judges en passant with the taken pawn still on its square
// the counts differ from chess's by exactly those captures.
const TPerftCase EnPassantInPlaceCases[] = {
    // After e2-e4 or g2-g4, f4 takes en passant although that opens the rank
    // from the rook on B4 to the king on H4: chess counts 191.
    {"rook_pawns_pinned_capture", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 193}, 2},
    // Taking the checking pawn on D4 en passant is refused: chess counts 8.
    {"checking_pawn_taken", "8/8/8/2k5/2pP4/8/B7/4K3 b - d3 0 3", {7}, 1},
};

INSTANTIATE_TEST_SUITE_P(EnPassantInPlace, RulesPerft, ::testing::ValuesIn(EnPassantInPlaceCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
