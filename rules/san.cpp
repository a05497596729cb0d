#include "san.h"

#include <cctype>
#include <optional>
#include <vector>

#include "game_end.h"
#include "move_application.h"

namespace quorvel {

namespace {

// The letters of the piece kinds, at kind - 1 (king 1 .. pawn 6).
constexpr std::string_view kEnglishLetters = "KQRNBP";
constexpr std::string_view kFrenchLetters = "RDTCFP";

// K Q R N B for the pieces, nothing for a pawn.
char englishLetter(int kind) {
    return kind >= kUpperKing && kind < kUpperPawn ? kEnglishLetters[static_cast<std::size_t>(kind - 1)] : 0;
}

// The kind a letter names, in either case; 0 for none.
int kindOfLetter(char letter) {
    const auto at = kEnglishLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string square(int x, int y) {
    return {static_cast<char>('a' + x - 1), static_cast<char>('0' + y)};
}

// The mark of a move: '#' when the other side is mated, '+' in check.
std::string checkMark(const Position& board, StateWord state, bool whiteToMove, const LegalMove& move) {
    Position after = board;
    const auto outcome = makeMove(after, state, move.fromX, move.fromY, move.toX, move.toY, move.castling,
                                  move.promotionPiece);
    if (!outcome) return "";
    const bool otherIsUpper = whiteToMove;  // White is the lower side
    if (!isInCheck(after, outcome->state, otherIsUpper)) return "";
    return hasLegalMove(after, outcome->state, otherIsUpper) ? "+" : "#";
}

// What a notation says about the move it names.
struct SanPattern {
    int kind = kUpperPawn;
    int fromX = 0, fromY = 0;  // 0: not given
    int toX = 0, toY = 0;
    int promotionKind = 0;  // 0: not given
    Castling castling = Castling::none;
};

std::string_view withoutMarks(std::string_view t) {
    for (std::string_view suffix : {"e.p.", "ep"}) {
        if (t.size() > suffix.size() + 1 && t.substr(t.size() - suffix.size()) == suffix)
            t.remove_suffix(suffix.size());
    }
    while (!t.empty() && std::string_view("+#!?").find(t.back()) != std::string_view::npos)
        t.remove_suffix(1);
    return t;
}

std::optional<SanPattern> readPattern(std::string_view token) {
    const std::string_view t = withoutMarks(token);
    SanPattern p;
    for (std::string_view text : {"O-O-O", "0-0-0", "o-o-o"})
        if (t == text) p.castling = Castling::queenSide;
    for (std::string_view text : {"O-O", "0-0", "o-o"})
        if (t == text) p.castling = Castling::kingSide;
    if (p.castling != Castling::none) {
        p.kind = kUpperKing;
        return p;
    }
    std::string rest;
    std::size_t i = 0;
    if (!t.empty() && std::string_view("KQRBNP").find(t[0]) != std::string_view::npos) {
        p.kind = kindOfLetter(t[0]);
        i = 1;
    }
    for (; i < t.size(); ++i) {
        if (t[i] != 'x' && t[i] != ':' && t[i] != '-') rest += t[i];
    }
    // The promotion piece: "=Q", "Q", "(Q)" or "/Q" after the last rank digit.
    if (rest.size() >= 3 && rest.front() != '(' && rest.back() == ')') rest.pop_back();
    if (rest.size() >= 3 && kindOfLetter(rest.back()) != 0 && kindOfLetter(rest.back()) != kUpperKing &&
        kindOfLetter(rest.back()) != kUpperPawn) {
        const char before = rest[rest.size() - 2];
        if (before == '=' || before == '(' || before == '/' || (before >= '1' && before <= '8')) {
            p.promotionKind = kindOfLetter(rest.back());
            rest.pop_back();
            if (before == '=' || before == '(' || before == '/') rest.pop_back();
        }
    }
    auto isFile = [](char c) { return c >= 'a' && c <= 'h'; };
    auto isRank = [](char c) { return c >= '1' && c <= '8'; };
    if (rest.size() < 2 || rest.size() > 4 || !isFile(rest[rest.size() - 2]) || !isRank(rest.back()))
        return std::nullopt;
    p.toX = rest[rest.size() - 2] - 'a' + 1;
    p.toY = rest.back() - '0';
    for (std::size_t k = 0; k + 2 < rest.size(); ++k) {
        const char c = rest[k];
        if (isFile(c) && p.fromX == 0 && p.fromY == 0) {
            p.fromX = c - 'a' + 1;
        } else if (isRank(c) && p.fromY == 0) {
            p.fromY = c - '0';
        } else {
            return std::nullopt;
        }
    }
    return p;
}

bool fits(const SanPattern& p, const Position& board, const LegalMove& m) {
    if (p.castling != Castling::none) return m.castling == p.castling;
    if (pieceKind(board.at(m.fromX, m.fromY)) != p.kind) return false;
    if (m.toX != p.toX || m.toY != p.toY) return false;
    if ((p.fromX != 0 && m.fromX != p.fromX) || (p.fromY != 0 && m.fromY != p.fromY)) return false;
    if (m.promotionPiece == 0) return p.promotionKind == 0;
    // A promotion written without its piece is the usual one, to a queen.
    return pieceKind(m.promotionPiece) == (p.promotionKind != 0 ? p.promotionKind : kUpperQueen);
}

}  // namespace

std::string sanOf(const Position& board, StateWord state, bool whiteToMove, const LegalMove& move) {
    if (move.castling != Castling::none)
        return (move.castling == Castling::kingSide ? "O-O" : "O-O-O") +
               checkMark(board, state, whiteToMove, move);
    const int code = board.at(move.fromX, move.fromY);
    const int kind = pieceKind(code);
    const bool capture = board.at(move.toX, move.toY) != 0 || (kind == kUpperPawn && move.fromX != move.toX);
    std::string san;
    if (kind == kUpperPawn) {
        if (capture) san += static_cast<char>('a' + move.fromX - 1);
    } else {
        san += englishLetter(kind);
        // Another piece of the same kind that could go to the same square.
        bool rival = false, rivalOnFile = false, rivalOnRank = false;
        for (const LegalMove& other : legalMoves(board, state, !whiteToMove)) {
            if (other.toX != move.toX || other.toY != move.toY ||
                board.at(other.fromX, other.fromY) != code ||
                (other.fromX == move.fromX && other.fromY == move.fromY))
                continue;
            rival = true;
            rivalOnFile = rivalOnFile || other.fromX == move.fromX;
            rivalOnRank = rivalOnRank || other.fromY == move.fromY;
        }
        if (rival && !rivalOnFile) {
            san += static_cast<char>('a' + move.fromX - 1);
        } else if (rival && !rivalOnRank) {
            san += static_cast<char>('0' + move.fromY);
        } else if (rival) {
            san += square(move.fromX, move.fromY);
        }
    }
    if (capture) san += 'x';
    san += square(move.toX, move.toY);
    if (move.promotionPiece != 0) {
        san += '=';
        san += englishLetter(pieceKind(move.promotionPiece));
    }
    return san + checkMark(board, state, whiteToMove, move);
}

std::variant<LegalMove, SanError> readSan(const Position& board, StateWord state, bool whiteToMove,
                                          std::string_view token) {
    const std::optional<SanPattern> pattern = readPattern(token);
    if (!pattern) return SanError::unreadable;
    std::vector<LegalMove> found;
    for (const LegalMove& m : legalMoves(board, state, !whiteToMove))
        if (fits(*pattern, board, m)) found.push_back(m);
    if (found.empty()) return SanError::illegal;
    if (found.size() > 1) return SanError::ambiguous;
    return found.front();
}

std::string frenchLetters(std::string_view token) {
    std::string shown;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char c = token[i];
        // Piece letters stand first or after '='; elsewhere 'B' etc. do not occur.
        const bool pieceSlot = i == 0 || token[i - 1] == '=';
        const auto kind = pieceSlot ? kEnglishLetters.find(c) : std::string_view::npos;
        shown += kind != std::string_view::npos ? kFrenchLetters[kind] : c == 'O' ? 'o' : c;
    }
    return shown;
}

}  // namespace quorvel
