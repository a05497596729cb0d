#include "typed_move.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>

#include "french_words.h"
#include "notation.h"
#include "perft.h"
#include "san.h"

namespace quorvel {

namespace {

// Longer texts are no move in any notation read here.
constexpr std::size_t kLongestText = 16;

// The board as the player names it: White the lower side, rows the ranks.
struct ChessBoard {
    Position board{};
    StateWord state = 0;
    bool moverIsUpper = false;  // the human has Black
    std::vector<LegalMove> legal;

    bool own(int code) const { return moverIsUpper ? isUpperPiece(code) : isLowerPiece(code); }
    int toStoredRow(int rank) const { return moverIsUpper ? 9 - rank : rank; }
};

ChessBoard chessBoardOf(const Position& stored, StateWord state, bool playerIsBlack) {
    ChessBoard c;
    c.board = stored;
    // The move test reads the word, not the cells: the word decides.
    unpackState(state, c.board);
    if (playerIsBlack) mirrorPosition(c.board);
    c.board[0] = 0;
    c.state = packState(c.board, state);
    c.moverIsUpper = playerIsBlack;
    c.legal = legalMoves(c.board, c.state, c.moverIsUpper);
    return c;
}

// What a text says about the move it names, in chess squares.
enum class Shape { castling, squares, piece };

struct Pattern {
    Shape shape = Shape::piece;
    Castling castling = Castling::none;
    int kind = 0;
    int fromX = 0, fromY = 0;  // 0: not given
    int toX = 0, toY = 0;
    int promotionKind = 0;    // 0: not given
    bool kingOrRook = false;  // one of the two readings of "R"
};

bool isFile(char c) {
    return c >= 'a' && c <= 'h';
}
bool isRank(char c) {
    return c >= '1' && c <= '8';
}

std::string lowered(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string withoutSeparators(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != '-' && c != 'x' && c != ':') s += c;
    return s;
}

// The text without blanks, check and annotation marks, and "e.p.".
std::string cleaned(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) s += c;
    auto dropMarks = [&s] {
        while (!s.empty() && std::string_view("+#!?").find(s.back()) != std::string_view::npos) s.pop_back();
    };
    dropMarks();
    const std::string low = lowered(s);
    for (std::string_view suffix : {"e.p.", "ep"}) {
        const std::string_view tail =
            std::string_view(low).substr(low.size() - std::min(low.size(), suffix.size()));
        if (low.size() > suffix.size() + 1 && tail == suffix) {
            s.erase(s.size() - suffix.size());
            break;
        }
    }
    dropMarks();
    return s;
}

// The piece a promotion letter names, in either language and case: 0 for
// no piece letter, -1 for a king or a pawn, which no pawn becomes.
int promotionKindOf(char letter) {
    switch (std::tolower(static_cast<unsigned char>(letter))) {
        case 'q':
        case 'd':
            return kUpperQueen;
        case 'r':
        case 't':
            return kUpperRook;
        case 'b':
        case 'f':
            return kUpperBishop;
        case 'n':
        case 'c':
            return kUpperKnight;
        case 'k':
        case 'p':
            return -1;
        default:
            return 0;
    }
}

// Takes the promotion off the end of a lowered text ("e8=d", "e8d",
// "e8(d)", "e8/d"). False when it names a piece no pawn becomes.
bool takePromotion(std::string& s, int& kind) {
    kind = 0;
    std::string t = s;
    if (t.size() >= 4 && t.back() == ')' && t[t.size() - 3] == '(') {
        t.erase(t.size() - 3, 1);
        t.pop_back();
    }
    if (t.size() < 3 || !std::isalpha(static_cast<unsigned char>(t.back()))) return true;
    const char before = t[t.size() - 2];
    if (before != '=' && before != '/' && !isRank(before)) return true;
    const int named = promotionKindOf(t.back());
    if (named < 0) return false;
    if (named == 0) return true;
    t.pop_back();
    if (before == '=' || before == '/') t.pop_back();
    s = t;
    kind = named;
    return true;
}

std::optional<Pattern> castlingOf(std::string_view text) {
    std::string u;
    for (char c : text) {
        if (c == '-') continue;
        const char d = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        u += d == '0' ? 'O' : d;
    }
    Pattern p;
    p.shape = Shape::castling;
    p.kind = kUpperKing;
    if (u == "OO") p.castling = Castling::kingSide;
    if (u == "OOO") p.castling = Castling::queenSide;
    if (p.castling == Castling::none) return std::nullopt;
    return p;
}

// "g1f3", "g1-f3", "e7e8q", in any case.
std::optional<Pattern> squaresOf(std::string_view text) {
    std::string s = lowered(text);
    Pattern p;
    if (!takePromotion(s, p.promotionKind)) return std::nullopt;
    const std::string t = withoutSeparators(s);
    if (t.size() != 4 || !isFile(t[0]) || !isRank(t[1]) || !isFile(t[2]) || !isRank(t[3]))
        return std::nullopt;
    p.shape = Shape::squares;
    p.fromX = t[0] - 'a' + 1;
    p.fromY = t[1] - '0';
    p.toX = t[2] - 'a' + 1;
    p.toY = t[3] - '0';
    return p;
}

// The squares after a piece letter: [file][rank] target.
bool readTail(const std::string& t, Pattern& p) {
    const std::size_t n = t.size();
    if (n < 2 || n > 4 || !isFile(t[n - 2]) || !isRank(t[n - 1])) return false;
    p.toX = t[n - 2] - 'a' + 1;
    p.toY = t[n - 1] - '0';
    for (std::size_t i = 0; i + 2 < n; ++i) {
        if (i == 0 && isFile(t[i])) {
            p.fromX = t[i] - 'a' + 1;
        } else if (isRank(t[i]) && p.fromY == 0) {
            p.fromY = t[i] - '0';
        } else {
            return false;
        }
    }
    return true;
}

// The kinds a leading letter names: the capitals of both languages, and the
// small letters that are no file. "R" is the French king and the English rook.
std::vector<int> kindsOfLeading(char c) {
    switch (c) {
        case 'K':
        case 'k':
            return {kUpperKing};
        case 'Q':
        case 'q':
        case 'D':
            return {kUpperQueen};
        case 'R':
        case 'r':
            return {kUpperKing, kUpperRook};
        case 'T':
        case 't':
            return {kUpperRook};
        case 'N':
        case 'n':
        case 'C':
            return {kUpperKnight};
        case 'B':
        case 'F':
            return {kUpperBishop};
        case 'P':
        case 'p':
            return {kUpperPawn};
        default:
            return {};
    }
}

// A small file letter that is also a piece's letter ("cf3"): read as the
// piece only when no pawn's move can be meant.
int kindOfSmallFileLetter(char c) {
    switch (c) {
        case 'b':
        case 'f':
            return kUpperBishop;
        case 'c':
            return kUpperKnight;
        case 'd':
            return kUpperQueen;
        default:
            return 0;
    }
}

std::vector<Pattern> piecesOf(const std::vector<int>& kinds, std::string_view rest) {
    std::string s = lowered(rest);
    Pattern p;
    if (!takePromotion(s, p.promotionKind)) return {};
    if (!readTail(withoutSeparators(s), p)) return {};
    if (p.promotionKind != 0 && (kinds.size() != 1 || kinds[0] != kUpperPawn)) return {};
    std::vector<Pattern> patterns;
    for (int kind : kinds) {
        p.kind = kind;
        p.kingOrRook = kinds.size() > 1;
        patterns.push_back(p);
    }
    return patterns;
}

// "e4", "exd5", "ed5", "e8=d", "exd8q": the pawn's SAN, in any case.
std::optional<Pattern> pawnOf(std::string_view text) {
    std::string s = lowered(text);
    if (s.empty() || !isFile(s[0])) return std::nullopt;
    Pattern p;
    p.kind = kUpperPawn;
    if (!takePromotion(s, p.promotionKind)) return std::nullopt;
    const std::string t = withoutSeparators(s);
    if (t.size() == 2 && isRank(t[1])) {
        p.toX = t[0] - 'a' + 1;
        p.toY = t[1] - '0';
        return p;
    }
    if (t.size() != 3 || !isFile(t[1]) || !isRank(t[2])) return std::nullopt;
    p.fromX = t[0] - 'a' + 1;
    p.toX = t[1] - 'a' + 1;
    p.toY = t[2] - '0';
    // A pawn's move with a from-file is a capture on the next file.
    if (std::abs(p.fromX - p.toX) != 1) return std::nullopt;
    return p;
}

// Every reading of a cleaned text; empty when it is none.
std::vector<Pattern> readPatterns(std::string_view t) {
    if (t.empty() || t.size() > kLongestText) return {};
    if (auto castling = castlingOf(t)) return {*castling};
    std::vector<Pattern> patterns;
    if (auto squares = squaresOf(t)) patterns.push_back(*squares);
    std::vector<Pattern> pieces = piecesOf(kindsOfLeading(t[0]), t.substr(1));
    if (pieces.empty()) {
        if (auto pawn = pawnOf(t)) {
            pieces.push_back(*pawn);
        } else if (const int kind = kindOfSmallFileLetter(t[0]); kind != 0 && patterns.empty()) {
            pieces = piecesOf({kind}, t.substr(1));
        }
    }
    patterns.insert(patterns.end(), pieces.begin(), pieces.end());
    return patterns;
}

bool fits(const Pattern& p, const Position& board, const LegalMove& m) {
    if (p.promotionKind != 0 && (m.promotionPiece == 0 || pieceKind(m.promotionPiece) != p.promotionKind))
        return false;
    switch (p.shape) {
        case Shape::castling:
            return m.castling == p.castling;
        case Shape::squares:
            return m.fromX == p.fromX && m.fromY == p.fromY && m.toX == p.toX && m.toY == p.toY;
        case Shape::piece:
            break;
    }
    return pieceKind(board.at(m.fromX, m.fromY)) == p.kind && m.toX == p.toX && m.toY == p.toY &&
           (p.fromX == 0 || m.fromX == p.fromX) && (p.fromY == 0 || m.fromY == p.fromY);
}

// The legal moves the readings name, one per pair of squares: a promotion
// without its piece is one move, whose piece the player chooses later.
std::vector<LegalMove> movesNamed(const std::vector<Pattern>& patterns, const ChessBoard& c) {
    std::vector<LegalMove> found;
    for (const Pattern& p : patterns) {
        for (const LegalMove& m : c.legal) {
            if (!fits(p, c.board, m)) continue;
            const bool known = std::any_of(found.begin(), found.end(), [&m](const LegalMove& f) {
                return f.fromX == m.fromX && f.fromY == m.fromY && f.toX == m.toX && f.toY == m.toY;
            });
            if (!known) found.push_back(m);
        }
    }
    return found;
}

// A fitting move as the player can type it to name it alone: its French
// notation, or, when that still fits another move, with its from-square.
std::string writtenForChoice(const ChessBoard& c, LegalMove m) {
    m.promotionPiece = 0;
    std::string san = sanOf(c.board, c.state, !c.moverIsUpper, m);
    while (!san.empty() && (san.back() == '+' || san.back() == '#')) san.pop_back();
    const std::string french = frenchLetters(san);
    const std::vector<LegalMove> named = movesNamed(readPatterns(french), c);
    if (named.size() == 1) return french;
    const int kind = pieceKind(c.board.at(m.fromX, m.fromY));
    const char letter = frenchPieceLetter(kind);
    const std::string piece = letter != 0 ? std::string(1, letter) : std::string();
    return piece + squareName(m.fromX, m.fromY) + "-" + squareName(m.toX, m.toY);
}

// How near a refused reading came to a move: the nearest one is told.
int nearness(TypedMoveFault fault) {
    switch (fault) {
        case TypedMoveFault::notPromotion:
            return 7;
        case TypedMoveFault::kingLeftInCheck:
            return 6;
        case TypedMoveFault::castlingLost:
        case TypedMoveFault::castlingBlocked:
        case TypedMoveFault::castlingOutOfCheck:
        case TypedMoveFault::castlingThroughCheck:
            return 5;
        case TypedMoveFault::ownPieceOnTarget:
            return 4;
        case TypedMoveFault::cannotReach:
            return 3;
        case TypedMoveFault::notYourPiece:
            return 2;
        case TypedMoveFault::emptySquare:
            return 1;
        default:
            return 0;
    }
}

bool kingInCheck(const ChessBoard& c) {
    return kingAttacked(c.board, c.state, 0, 0, 0, 0, 0, 0, 0, 0, c.moverIsUpper);
}

TypedMoveProblem castlingProblem(const ChessBoard& c, Castling castling) {
    TypedMoveProblem problem;
    problem.kind = kUpperKing;
    problem.inCheck = kingInCheck(c);
    const bool upper = c.moverIsUpper;
    const int row = upper ? 8 : 1;
    const bool kingSide = castling == Castling::kingSide;
    const int toX = kingSide ? 7 : 3;
    const int rookX = kingSide ? 8 : 1;
    problem.to = squareName(toX, row);
    const StateWord moved =
        upper ? (kUpperKingMoved | kUpperCastled | (kingSide ? kUpperRookHMoved : kUpperRookAMoved))
              : (kLowerKingMoved | kLowerCastled | (kingSide ? kLowerRookHMoved : kLowerRookAMoved));
    if ((c.state & moved) || c.board.at(5, row) != (upper ? kUpperKing : kLowerKing) ||
        c.board.at(rookX, row) != (upper ? kUpperRook : kLowerRook)) {
        problem.fault = TypedMoveFault::castlingLost;
    } else if (checkMove(c.board, c.state, 5, row, toX, row, false).castling != castling) {
        problem.fault = TypedMoveFault::castlingBlocked;
    } else if (problem.inCheck) {
        problem.fault = TypedMoveFault::castlingOutOfCheck;
    } else {
        problem.fault = TypedMoveFault::castlingThroughCheck;
    }
    return problem;
}

std::string fromText(const Pattern& p) {
    if (p.fromX != 0 && p.fromY != 0) return squareName(p.fromX, p.fromY);
    if (p.fromX != 0) return std::string(1, static_cast<char>('a' + p.fromX - 1));
    if (p.fromY != 0) return std::string(1, static_cast<char>('0' + p.fromY));
    return {};
}

// Why no piece of the pattern's kind may go to its target.
TypedMoveProblem pieceProblem(const ChessBoard& c, const Pattern& p) {
    TypedMoveProblem problem;
    problem.kind = p.kind;
    problem.from = fromText(p);
    problem.to = squareName(p.toX, p.toY);
    problem.inCheck = kingInCheck(c);
    std::vector<std::pair<int, int>> pieces;
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (c.own(c.board.at(x, y)) && pieceKind(c.board.at(x, y)) == p.kind &&
                (p.fromX == 0 || x == p.fromX) && (p.fromY == 0 || y == p.fromY))
                pieces.emplace_back(x, y);
    if (pieces.empty()) {
        problem.fault = TypedMoveFault::noSuchPiece;
        return problem;
    }
    problem.pieceCount = static_cast<int>(pieces.size());
    const int target = c.board.at(p.toX, p.toY);
    if (c.own(target)) {
        problem.fault = TypedMoveFault::ownPieceOnTarget;
        problem.kind = pieceKind(target);
        return problem;
    }
    // The king's two steps from home are its castling, refused for its own reasons.
    const int home = c.moverIsUpper ? 8 : 1;
    if (p.kind == kUpperKing && pieces.size() == 1 && pieces[0] == std::pair{5, home} && p.toY == home &&
        (p.toX == 7 || p.toX == 3))
        return castlingProblem(c, p.toX == 7 ? Castling::kingSide : Castling::queenSide);
    problem.fault = TypedMoveFault::cannotReach;
    for (const auto& [x, y] : pieces) {
        const MoveCheck check = checkMove(c.board, c.state, x, y, p.toX, p.toY, false);
        if (!check.valid) continue;
        // The piece may go there by its own rules: the king forbids it.
        if (check.castling != Castling::none) return castlingProblem(c, check.castling);
        problem.fault = TypedMoveFault::kingLeftInCheck;
    }
    return problem;
}

TypedMoveProblem problemOf(const ChessBoard& c, const Pattern& p) {
    if (p.promotionKind != 0) {
        Pattern plain = p;
        plain.promotionKind = 0;
        if (!movesNamed({plain}, c).empty()) {
            TypedMoveProblem problem;
            problem.fault = TypedMoveFault::notPromotion;
            problem.kind = kUpperPawn;
            problem.to = squareName(p.toX, p.toY);
            return problem;
        }
    }
    if (p.shape == Shape::castling) return castlingProblem(c, p.castling);
    if (p.shape == Shape::squares) {
        const int code = c.board.at(p.fromX, p.fromY);
        if (!c.own(code)) {
            TypedMoveProblem problem;
            problem.fault = code == 0 ? TypedMoveFault::emptySquare : TypedMoveFault::notYourPiece;
            problem.kind = pieceKind(code);
            problem.from = squareName(p.fromX, p.fromY);
            problem.to = squareName(p.toX, p.toY);
            return problem;
        }
        Pattern piece = p;
        piece.shape = Shape::piece;
        piece.kind = pieceKind(code);
        return pieceProblem(c, piece);
    }
    return pieceProblem(c, p);
}

// The nearest of the readings' problems; "R" that fits neither the king
// nor a rook says both.
TypedMoveProblem nearestProblem(const ChessBoard& c, const std::vector<Pattern>& patterns) {
    std::vector<TypedMoveProblem> problems;
    for (const Pattern& p : patterns) problems.push_back(problemOf(c, p));
    std::size_t best = 0;
    for (std::size_t i = 1; i < problems.size(); ++i)
        if (nearness(problems[i].fault) > nearness(problems[best].fault)) best = i;
    TypedMoveProblem problem = problems[best];
    if (patterns[best].kingOrRook && problem.fault == TypedMoveFault::cannotReach) {
        for (std::size_t i = 0; i < problems.size(); ++i) {
            if (i == best || !patterns[i].kingOrRook || problems[i].fault != TypedMoveFault::cannotReach)
                continue;
            problem.kingOrRook = true;
            problem.kind = kUpperRook;
            problem.pieceCount = patterns[i].kind == kUpperRook ? problems[i].pieceCount : problem.pieceCount;
        }
    }
    return problem;
}

}  // namespace

TypedMoveResult readTypedMove(const Position& board, StateWord state, bool playerIsBlack,
                              std::string_view text) {
    const std::string typed = cleaned(text);
    TypedMoveProblem problem;
    problem.text = typed;
    if (typed.empty()) {
        // Marks alone ("+", "!?") are no move either.
        const bool blank = std::all_of(text.begin(), text.end(),
                                       [](char ch) { return std::isspace(static_cast<unsigned char>(ch)); });
        problem.fault = blank ? TypedMoveFault::empty : TypedMoveFault::unreadable;
        problem.text = std::string(text.substr(0, kLongestText));
        return problem;
    }
    const std::vector<Pattern> patterns = readPatterns(typed);
    if (patterns.empty()) {
        problem.fault = TypedMoveFault::unreadable;
        if (problem.text.size() > kLongestText) problem.text = problem.text.substr(0, kLongestText) + "...";
        return problem;
    }
    const ChessBoard c = chessBoardOf(board, state, playerIsBlack);
    const std::vector<LegalMove> named = movesNamed(patterns, c);
    if (named.size() > 1) {
        problem.fault = TypedMoveFault::ambiguous;
        for (const LegalMove& m : named) problem.candidates.push_back(writtenForChoice(c, m));
        return problem;
    }
    if (named.empty()) {
        TypedMoveProblem nearest = nearestProblem(c, patterns);
        nearest.text = typed;
        return nearest;
    }
    const LegalMove& m = named.front();
    int promotionKind = 0;
    for (const Pattern& p : patterns)
        if (fits(p, c.board, m)) promotionKind = p.promotionKind;
    TypedMove move;
    move.fromX = m.fromX;
    move.fromY = c.toStoredRow(m.fromY);
    move.toX = m.toX;
    move.toY = c.toStoredRow(m.toY);
    move.castling = m.castling;
    move.promotes = m.promotionPiece != 0;
    move.promotionKind = promotionKind;
    return move;
}

}  // namespace quorvel
