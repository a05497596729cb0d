#include "storage/game_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "rules/move_application.h"
#include "storage/fixed_field.h"
#include "storage/replace_file.h"
#include "storage/stored_game_checks.h"

namespace quorvel {

namespace {

constexpr std::size_t kCountWidth = 8;
constexpr std::size_t kClockWidth = 8;
constexpr std::size_t kTextSize = sizeof(MoveText);
constexpr std::size_t kPositionSize = sizeof(Position);

// Fills the entries and the live position of `scratch` from the file body.
// A game set up from a position starts with entries that hold no move: none
// at all for the half-moves before it, then the set-up board. From the
// first board on, every entry is a move leading from the board before it.
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
        const bool whiteMoved = k % 2 == 0;
        const bool setUpBoard = !started && text == MoveText{};
        if (setUpBoard && board == Position{}) continue;
        if (!storedPositionPlayable(board, whiteMoved)) return GameFileError::badContent;
        if (!setUpBoard) {
            if (!storedTextValid(text)) return GameFileError::badContent;
            if (started && !storedMoveLeads(scratch.history[k - 1], text, board, whiteMoved))
                return GameFileError::movesDisagree;
        }
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

std::optional<std::int32_t> clockField(std::string_view field) {
    const auto seconds = exactNumber(field);
    if (!seconds || *seconds < 0) return std::nullopt;
    return static_cast<std::int32_t>(*seconds);
}

constexpr std::size_t fileSize(std::size_t n) {
    return kCountWidth + (kTextSize + kPositionSize) * n + 2 * kClockWidth;
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
    if (bytes.size() < fileSize(0)) return GameFileError::wrongSize;
    const auto count = exactNumber(std::string_view(bytes).substr(0, kCountWidth));
    if (!count || *count < 0 || *count > GameRecord::kCapacity) return GameFileError::badCount;
    const int n = static_cast<int>(*count);
    // A torn write, or bytes added to the end: either way the file is not
    // the one the program wrote.
    if (bytes.size() != fileSize(static_cast<std::size_t>(n))) return GameFileError::wrongSize;

    auto scratch = std::make_unique<GameRecord>(record);
    if (const GameFileError error = readBody(bytes, n, *scratch); error != GameFileError::none) return error;
    const std::string_view clocks = std::string_view(bytes).substr(bytes.size() - 2 * kClockWidth);
    const auto black = clockField(clocks.substr(0, kClockWidth));
    const auto white = clockField(clocks.substr(kClockWidth));
    if (!black || !white) return GameFileError::badContent;
    scratch->blackClock = *black;
    scratch->whiteClock = *white;
    record = *scratch;
    return GameFileError::none;
}

GameFileError readGameFile(const std::string& path, GameRecord& record) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) return GameFileError::cannotOpen;
    // A pipe would keep the reader waiting for a writer; a folder reads as nothing.
    if (!fs::is_regular_file(status)) return GameFileError::notAFile;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return GameFileError::cannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in) return GameFileError::cannotOpen;
    // Only the count decides the size: a huge file is refused unread.
    constexpr std::size_t kLargest = fileSize(GameRecord::kCapacity);
    std::string bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kLargest + 1)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return readGameBytes(bytes, record);
}

}  // namespace quorvel
