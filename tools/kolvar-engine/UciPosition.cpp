// Setting up a UCI position: FEN fields and coordinate moves.
#include "tools/kolvar-engine/UciPosition.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace {

constexpr char PieceLetters[] = "PNBRQKpnbrqk";

bool ReadPlacement(const std::string& field, char* board, std::string& error) {
    int row = 0, file = 0;
    for (char c : field) {
        if (c == '/') {
            if (file != 8 || ++row > 7) {
                error = "bad rank in FEN placement";
                return false;
            }
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) {
                error = "rank too long in FEN placement";
                return false;
            }
        } else if (std::strchr(PieceLetters, c) && c != '\0') {
            if (file >= 8) {
                error = "rank too long in FEN placement";
                return false;
            }
            board[1 + 8 * row + file++] = c;
        } else {
            error = std::string("bad character '") + c + "' in FEN placement";
            return false;
        }
    }
    if (row != 7 || file != 8) {
        error = "FEN placement needs 8 ranks of 8 squares";
        return false;
    }
    return true;
}

bool ReadCastling(const std::string& field, CastleSet& castling, std::string& error) {
    castling = 0;
    if (field == "-") return true;
    for (char c : field) {
        switch (c) {
            case 'K':
                castling |= CastleBit(WhiteKingSide);
                break;
            case 'Q':
                castling |= CastleBit(WhiteQueenSide);
                break;
            case 'k':
                castling |= CastleBit(BlackKingSide);
                break;
            case 'q':
                castling |= CastleBit(BlackQueenSide);
                break;
            default:
                error = "bad FEN castling field '" + field + "'";
                return false;
        }
    }
    return true;
}

}  // namespace

std::string SquareText(int index) {
    return {char('a' + index % 8), char('8' - index / 8)};
}

int SquareIndex(const std::string& name) {
    if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8')
        return -1;
    return 8 * ('8' - name[1]) + (name[0] - 'a');
}

std::string MoveText(TMove m) {
    std::string text = SquareText(m.From) + SquareText(m.To);
    if ((m.Flags & mfPromotion) && m.Promote >= Knight && m.Promote <= Queen)
        text += "nbrq"[m.Promote - Knight];
    return text;
}

void TUciPosition::SetStart() {
    Board[0] = ' ';
    std::memcpy(Board + 1, StartPosition, SquareCount);
    Board[BoardCells - 1] = '\0';
    WhiteToMove = true;
    CastlingAllowed = AllCastlingRights;
    EnPassant = None;
}

bool TUciPosition::SetFen(const std::string& fen, std::string& error) {
    std::istringstream in(fen);
    std::vector<std::string> fields;
    for (std::string field; in >> field;) fields.push_back(field);
    if (fields.size() < 4 || fields.size() > 6) {
        error = "FEN needs 4 to 6 fields";
        return false;
    }
    char board[BoardCells];
    std::memset(board, ' ', BoardCells - 1);
    board[BoardCells - 1] = '\0';
    CastleSet castling = 0;
    if (!ReadPlacement(fields[0], board, error) || !ReadCastling(fields[2], castling, error))
        return false;
    if (fields[1] != "w" && fields[1] != "b") {
        error = "FEN side to move must be w or b";
        return false;
    }
    int ep = fields[3] == "-" ? -1 : SquareIndex(fields[3]);
    if (fields[3] != "-" && ep < 0) {
        error = "bad FEN en-passant square '" + fields[3] + "'";
        return false;
    }
    std::memcpy(Board, board, BoardCells);
    WhiteToMove = fields[1] == "w";
    CastlingAllowed = castling;
    EnPassant = ep < 0 ? None : Square(ep + 1);
    return true;
}

bool TUciPosition::PlayMove(TChessEngine& engine, const std::string& text) {
    if (text.size() < 4 || text.size() > 5) return false;
    int from = SquareIndex(text.substr(0, 2)), to = SquareIndex(text.substr(2, 2));
    int promote = 0;
    if (text.size() == 5) {
        const char* p = std::strchr("nbrq", text[4]);
        if (!p || text[4] == '\0') return false;
        promote = int(p - "nbrq") + Knight;
    }
    if (from < 0 || to < 0) return false;
    engine.SetSource(Source());
    engine.LoadBoard();
    for (const TMoveEntry& entry : engine.GeneratedMoves()) {
        TMove m = entry.Move;
        if (m.From != from || m.To != to || m.Promote != promote) continue;
        if (!engine.DoMove(m)) return false;
        engine.ExportPosition(Board, WhiteToMove, CastlingAllowed, EnPassant);
        return true;
    }
    return false;
}
