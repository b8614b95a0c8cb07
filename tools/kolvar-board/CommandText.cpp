#include "CommandText.h"

#include <charconv>

#include "board/rules/ChessGame.h"

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> SplitWords(std::string_view s) {
    std::vector<std::string_view> words;
    while (true) {
        while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
        if (s.empty()) return words;
        std::size_t end = 0;
        while (end < s.size() && !IsBlank(s[end])) ++end;
        words.push_back(s.substr(0, end));
        s.remove_prefix(end);
    }
}

bool ParseInt(std::string_view s, int& value) {
    if (s.empty()) return false;
    const char* last = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), last, value);
    return ec == std::errc() && ptr == last;
}

bool ParseSquare(std::string_view s, Square& sq, bool allowNumber) {
    if (s.size() == 2) {
        unsigned char file = static_cast<unsigned char>(s[0]) | 0x20;
        unsigned char rank = static_cast<unsigned char>(s[1]);
        if (file >= 'a' && file <= 'h' && rank >= '1' && rank <= '8') {
            sq = TChessGame::SquareFromFileRank(file - 'a' + 1, rank - '0');
            return true;
        }
    }
    int number = 0;
    if (allowNumber && ParseInt(s, number) && number >= 0 && number <= SquareCount) {
        sq = static_cast<Square>(number);
        return true;
    }
    return false;
}

std::string SquareName(Square sq) {
    if (sq < 1 || sq > SquareCount) return "-";
    return {char('A' + TChessGame::FileOf(sq) - 1), char('0' + TChessGame::RankOf(sq))};
}

char Shown(char c) {
    if (c == ' ') return '.';
    unsigned char u = static_cast<unsigned char>(c);
    return u > ' ' && u < 0x7f ? c : '?';
}

bool ParseFlag(std::string_view s, bool& value) {
    if (s != "0" && s != "1") return false;
    value = s == "1";
    return true;
}
