#include "storage/game_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "rules/move_application.h"
#include "storage/fixed_field.h"
#include "storage/replace_file.h"

namespace quorvel {

namespace {

constexpr std::size_t kCountWidth = 8;
constexpr std::size_t kClockWidth = 8;
constexpr std::size_t kTextSize = sizeof(MoveText);
constexpr std::size_t kPositionSize = sizeof(Position);

bool isPieceCode(int code) {
    return (code >= 0 && code <= 6) || (code >= 11 && code <= 16);
}

// A stored text is read by the rules byte by byte: it must be one of the
// forms they know, and must end inside its 8 bytes.
bool validText(const MoveText& t) {
    auto file = [](char c) { return c >= 'a' && c <= 'h'; };
    auto rank = [](char c) { return c >= '1' && c <= '8'; };
    auto marker = [](char c) { return c == 0 || c == '+' || c == 'P'; };
    const std::string visible(t.c_str(), strnlen(t.c_str(), 5));
    const bool ordinary = visible.size() == 5 && file(t[0]) && rank(t[1]) && (t[2] == '-' || t[2] == 'x') &&
                          file(t[3]) && rank(t[4]);
    const bool castling = visible == "o-o" || visible == "o-o-o";
    const bool tailClear = visible != "o-o" || t[4] == 0;
    return (ordinary || castling) && tailClear && marker(t[5]) && marker(t[6]) && t[7] == 0;
}

// A position the rules can work on: piece codes they know, one king a side,
// state cells in their ranges (a double-step file beyond 8 would send the
// en-passant test off the board), and the side marker.
bool validPosition(const Position& p) {
    int upperKings = 0, lowerKings = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = p.at(x, y);
            if (!isPieceCode(code)) return false;
            upperKings += code == kUpperKing;
            lowerKings += code == kLowerKing;
        }
    }
    for (int cell : {kLowerCastledCell, kUpperCastledCell, kUpperRookAMovedCell, kUpperRookHMovedCell,
                     kUpperKingMovedCell, kLowerRookAMovedCell, kLowerRookHMovedCell, kLowerKingMovedCell})
        if (p[cell] != 0 && p[cell] != 1) return false;
    for (int cell : {kLowerDoubleStepFileCell, kUpperDoubleStepFileCell})
        if (p[cell] < 0 || p[cell] > 8) return false;
    const bool marker = p[0] == kMarkerPlayerBlack || p[0] == kMarkerPlayerWhite;
    return upperKings == 1 && lowerKings == 1 && marker;
}

// Fills the entries and the live position of `scratch` from the file body.
// A game set up from a position starts with entries that hold no move: none
// at all for the half-moves before it, then the set-up board.
GameFileError readBody(const std::string& bytes, int n, GameRecord& scratch) {
    scratch.moves.fill(MoveText{});
    scratch.history.fill(Position{});
    const std::size_t textsAt = kCountWidth;
    const std::size_t positionsAt = textsAt + kTextSize * static_cast<std::size_t>(n);
    bool started = false;
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
        MoveText& text = scratch.moves[k];
        Position& board = scratch.history[k];
        std::copy_n(bytes.data() + textsAt + k * kTextSize, kTextSize, text.bytes.data());
        auto* cells = reinterpret_cast<char*>(board.cells.data());
        std::copy_n(bytes.data() + positionsAt + k * kPositionSize, kPositionSize, cells);
        const bool setUpBoard = !started && text == MoveText{};
        if (setUpBoard && board == Position{}) continue;
        if ((!setUpBoard && !validText(text)) || !validPosition(board)) return GameFileError::badContent;
        started = true;
    }
    if (n > 0) {
        // The last entry holds the board the game goes on from.
        if (!started) return GameFileError::badContent;
        scratch.current = scratch.history[static_cast<std::size_t>(n - 1)];
        scratch.playerIsBlack = scratch.current[0] == kMarkerPlayerBlack;
    } else {
        // No position is stored: the game starts again. The initial array is
        // the same for either colour, so the player's colour stays.
        scratch.current = Position{};
        setInitialPosition(scratch.current);
    }
    scratch.state = packState(scratch.current, scratch.state);
    scratch.plyCount = n;
    scratch.recordLength = n;
    scratch.setupHalfMoveClock = 0;
    return GameFileError::none;
}

}  // namespace

std::string gameFileBytes(const GameRecord& record) {
    const auto n = static_cast<std::size_t>(std::clamp(record.plyCount, 0, GameRecord::kCapacity));
    std::string bytes = decimalField(static_cast<std::int64_t>(n), kCountWidth);
    for (std::size_t k = 0; k < n; ++k) bytes.append(record.moves[k].bytes.data(), kTextSize);
    for (std::size_t k = 0; k < n; ++k)
        bytes.append(reinterpret_cast<const char*>(record.history[k].cells.data()), kPositionSize);
    bytes += decimalField(record.blackClock, kClockWidth);
    bytes += decimalField(record.whiteClock, kClockWidth);
    return bytes;
}

bool writeGameFile(const std::string& path, const GameRecord& record) {
    return replaceFile(path, gameFileBytes(record));
}

// Everything is read into a scratch record first, so a refused file leaves
// the game exactly as it was.
GameFileError readGameBytes(const std::string& bytes, GameRecord& record) {
    if (bytes.size() < kCountWidth) return GameFileError::truncated;
    const auto count = exactNumber(std::string_view(bytes).substr(0, kCountWidth));
    if (!count || *count < 0 || *count > GameRecord::kCapacity) return GameFileError::badCount;
    const int n = static_cast<int>(*count);
    const std::size_t bodyEnd = kCountWidth + (kTextSize + kPositionSize) * static_cast<std::size_t>(n);
    if (bytes.size() < bodyEnd) return GameFileError::truncated;

    auto scratch = std::make_unique<GameRecord>(record);
    if (const GameFileError error = readBody(bytes, n, *scratch); error != GameFileError::none) return error;
    // Each clock field read whole replaces its clock; a missing one keeps it.
    const std::string_view tail = std::string_view(bytes).substr(bodyEnd);
    if (tail.size() >= kClockWidth)
        scratch->blackClock = static_cast<std::int32_t>(leadingNumber(tail.substr(0, kClockWidth)));
    if (tail.size() >= 2 * kClockWidth)
        scratch->whiteClock = static_cast<std::int32_t>(leadingNumber(tail.substr(kClockWidth, kClockWidth)));
    record = *scratch;
    return GameFileError::none;
}

GameFileError readGameFile(const std::string& path, GameRecord& record) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return GameFileError::cannotOpen;
    // Only the body and the clocks matter; a huge file is not read whole.
    constexpr std::size_t kLargest =
        kCountWidth + (kTextSize + kPositionSize) * GameRecord::kCapacity + 2 * kClockWidth;
    std::string bytes(kLargest, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return readGameBytes(bytes, record);
}

}  // namespace quorvel
