#pragma once
// What an engine says of its search while it thinks, both ways: the "info"
// line as a record and back. Every field is optional, as engines send any
// subset of them; "info string" carries free text for people and no field.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// "score cp X" or "score mate N", from the side to move's point of view. A
// mate has its own kind rather than a huge number: "mate -3" is the side to
// move mated in three moves, "mate 0" mated now.
struct UciScore {
    enum class Kind { centipawns, mate };
    Kind kind = Kind::centipawns;
    int value = 0;            // hundredths of a pawn, or moves to the mate
    bool lowerBound = false;  // the true score is at least this (a fail-high)
    bool upperBound = false;  // at most this (a fail-low)

    bool exact() const { return !lowerBound && !upperBound; }
    friend bool operator==(const UciScore&, const UciScore&) = default;
};

struct UciInfo {
    std::optional<int> depth;
    std::optional<int> selDepth;
    std::optional<int> multiPv;  // which of several lines; 1 is the best
    std::optional<UciScore> score;
    std::optional<std::uint64_t> nodes;
    std::optional<std::uint64_t> nps;  // nodes per second
    std::optional<long long> timeMs;   // since the "go"
    std::vector<std::string> pv;       // the principal line, moves in the engines' notation

    friend bool operator==(const UciInfo&, const UciInfo&) = default;
};

// A whole line from an engine. Nullopt when it is not an "info" line or is
// an "info string". A field whose value does not read is left out; the
// other fields stay.
std::optional<UciInfo> parseInfoLine(std::string_view line);

// "info depth D seldepth S multipv M score cp|mate X [lowerbound|upperbound]
// nodes N nps R time T pv ...", each field only when it is there.
std::string formatInfoLine(const UciInfo& info);

// "cp 31", "mate -2", "cp 40 lowerbound".
std::string formatScore(const UciScore& score);

// Lays the fields `newer` has over `older`: engines send partial lines
// (nodes and time alone, a currmove), which must not wipe the last line.
void mergeInfo(UciInfo& older, const UciInfo& newer);

}  // namespace quorvel
