#include "engine/opening_book.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "rules/move_application.h"
#include "rules/move_validity.h"
#include "rules/notation.h"

namespace quorvel {

namespace {

bool endsToken(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == ',';
}

// A book token as board coordinates; nullopt unless it names two squares.
struct TokenSquares {
    int fromX, fromRank, toX, toRank;
};

std::optional<TokenSquares> tokenSquares(const std::array<char, 5>& slot) {
    auto file = [](char c) { return c >= 'a' && c <= 'h' ? c - 'a' + 1 : 0; };
    auto rank = [](char c) { return c >= '1' && c <= '8' ? c - '0' : 0; };
    TokenSquares s{file(slot[0]), rank(slot[1]), file(slot[2]), rank(slot[3])};
    if (s.fromX == 0 || s.fromRank == 0 || s.toX == 0 || s.toRank == 0) return std::nullopt;
    return s;
}

// The key of a recorded move: its squares without the middle sign. Only a
// full four-character key can match, so castling texts ("o-" ...) and empty
// entries (a game set up from a position) never follow a line.
bool slotMatches(const std::array<char, 5>& slot, const MoveText& text) {
    const char key[4] = {text[0], text[1], text[3], text[4]};
    for (char c : key)
        if (c == 0) return false;
    return std::memcmp(slot.data(), key, 4) == 0;
}

// Names are kept as UTF-8 for the window. A book written in Latin-1 (the old
// 8-bit convention) is converted. The cut keeps kMaxNameLength characters,
// whatever their length in bytes, so accented names are not halved.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80           ? 1
                                   : (c >> 5) == 0x6  ? 2
                                   : (c >> 4) == 0xE  ? 3
                                   : (c >> 3) == 0x1E ? 4
                                                      : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

std::string utf8Name(std::string raw) {
    if (!isUtf8(raw)) {
        std::string converted;
        for (unsigned char c : raw) {
            if (c < 0x80) {
                converted += static_cast<char>(c);
            } else {
                converted += static_cast<char>(0xC0 | (c >> 6));
                converted += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        raw = std::move(converted);
    }
    int characters = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(raw[i]) & 0xC0) == 0x80;
        if (!continuation && ++characters > OpeningBook::kMaxNameLength) {
            raw.resize(i);
            break;
        }
    }
    return raw;
}

using BookSlots = std::array<std::array<char, 5>, OpeningBook::kSlots>;

// The game still follows a line while every half-move played sits in the
// same slot; past 18 half-moves no line is followed any more.
bool follows(const BookSlots& slots, const GameRecord& record) {
    for (int i = 0; i < record.plyCount; ++i) {
        if (i >= 18) return false;
        if (!slotMatches(slots[static_cast<std::size_t>(i)], record.moves[static_cast<std::size_t>(i)]))
            return false;
    }
    return true;
}

// Plays a token for the computer (the upper side). The book is a file the
// user can edit, so a token that is not a legal move of the computer here is
// refused and the scan goes on, rather than corrupting the game.
bool playToken(const std::array<char, 5>& slot, GameRecord& record) {
    const auto squares = tokenSquares(slot);
    if (!squares) return false;
    const bool mirrored = record.playerIsBlack;
    const int fromY = mirrored ? 9 - squares->fromRank : squares->fromRank;
    const int toY = mirrored ? 9 - squares->toRank : squares->toRank;
    const int fromX = squares->fromX, toX = squares->toX;

    Position& board = record.current;
    const StateWord state = packState(board, record.state);
    const MoveCheck check = checkMove(board, state, fromX, fromY, toX, toY, false);
    if (!check.valid || !isUpperPiece(check.piece)) return false;
    if (check.castling == Castling::none &&
        kingAttacked(board, state, fromX, fromY, toX, toY, 0, 0, 0, 0, true))
        return false;

    Position after = board;
    const auto outcome = makeMove(after, state, fromX, fromY, toX, toY, check.castling);
    if (!outcome) return false;
    const MoveText text = buildMoveText(fromX, fromY, toX, toY, check.piece, outcome->capture);
    board = after;
    return recordMove(record, text, outcome->state, false) == RecordResult::recorded;
}

}  // namespace

OpeningBook::LoadStatus OpeningBook::load(const std::string& path) {
    lines_.clear();
    // A folder throws on reading, a pipe waits for a writer: only a file is a book.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return LoadStatus::missing;
    std::ifstream in(path, std::ios::binary);
    if (!in) return LoadStatus::missing;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    loadFromText(text);
    return LoadStatus::loaded;
}

// One pass over the text. Tokens end at a blank, CR, LF or comma; a comma
// that follows a character starts the name, so a token written right against
// the comma is never ended and drops out. Every token is counted, only the
// first kSlots are kept, and a line needs more than five.
void OpeningBook::loadFromText(std::string_view text) {
    lines_.clear();
    Line line;
    std::string token;
    int count = 0;
    for (std::size_t p = 0; p < text.size() && lines_.size() < static_cast<std::size_t>(kMaxLines); ++p) {
        const char c = text[p];
        if (endsToken(c)) {
            if (!token.empty()) {
                if (count < kSlots && token.size() == 4)
                    std::memcpy(line.tokens[static_cast<std::size_t>(count)].data(), token.data(), 4);
                ++count;
                token.clear();
            }
        } else {
            token += c;
        }
        if (p + 1 < text.size() && text[p + 1] == ',') {
            const std::size_t nameStart = p + 2;
            // The name runs to the line end; a lone LF ends it too, so a book
            // saved with Unix line ends keeps its lines apart.
            std::size_t nameEnd = nameStart;
            while (nameEnd < text.size() && text[nameEnd] != '\r' && text[nameEnd] != '\n') ++nameEnd;
            if (count > 5) {
                line.name = utf8Name(std::string(text.substr(nameStart, nameEnd - nameStart)));
                lines_.push_back(line);
            }
            p = nameEnd - 1;  // the line end is read as a separator
            line = Line{};
            token.clear();
            count = 0;
        }
    }
}

std::string OpeningBook::token(int line, int slot) const {
    const auto& s = lines_[static_cast<std::size_t>(line)].tokens[static_cast<std::size_t>(slot)];
    return std::string(s.data(), strnlen(s.data(), s.size()));
}

std::optional<std::string> OpeningBook::playBookMove(GameRecord& record, int random) const {
    const int count = lineCount();
    const int ply = record.plyCount;
    if (count == 0 || ply < 0 || ply >= kSlots || ply >= GameRecord::kCapacity) return std::nullopt;
    const int start = count == 1 ? 0 : static_cast<int>((17LL * random) % (count - 1));
    for (int pass = 0; pass < 2; ++pass) {
        for (int n = pass == 0 ? start : 0; n < count; ++n) {
            const Line& line = lines_[static_cast<std::size_t>(n)];
            if (!follows(line.tokens, record)) continue;
            if (playToken(line.tokens[static_cast<std::size_t>(ply)], record)) return line.name;
        }
    }
    return std::nullopt;
}

int bookRandom(std::uint32_t seedSeconds) {
    // The classic linear congruential generator: one step after seeding.
    const std::uint32_t next = seedSeconds * 214013u + 2531011u;
    return static_cast<int>((next >> 16) & 0x7FFF);
}

}  // namespace quorvel
