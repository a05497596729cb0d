#pragma once
// The player's results against the computer, level by level, kept in a
// small text file in the user's data folder: games won, drawn and lost, and
// the current run of wins or losses that the suggestion of another level
// reads. One line per level:
//
//   quorvel-results 1
//   3 5 1 2 -2        level, won, drawn, lost, run (+n: n wins in a row, -n: losses)
//
// A file that does not read exactly so is damaged: the caller starts afresh
// and says so.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A finished game, from the player's side.
enum class PlayerScore { won, drawn, lost };

struct LevelTally {
    int won = 0;
    int drawn = 0;
    int lost = 0;
    int run = 0;  // +n: the last n games won, -n: lost; 0 after a draw

    int games() const { return won + drawn + lost; }
    friend bool operator==(const LevelTally&, const LevelTally&) = default;
};

class LevelResults {
public:
    // Counts one game at `level` (1..kHighestLevel) and returns its tally.
    const LevelTally& record(int level, PlayerScore score);
    // The tally of `level`, zero when no game was played there.
    LevelTally tally(int level) const;
    const std::map<int, LevelTally>& tallies() const { return tallies_; }
    bool empty() const { return tallies_.empty(); }

    // The file's text, and back: nullopt for a text that is not one.
    std::string serialise() const;
    static std::optional<LevelResults> parse(std::string_view text);

    friend bool operator==(const LevelResults&, const LevelResults&) = default;

    // Room for levels beyond the engine's own (other engines' levels).
    static constexpr int kHighestLevel = 99;

private:
    std::map<int, LevelTally> tallies_;  // levels with at least one game
};

inline const char* kLevelResultsFileName = "resultats.txt";

struct LevelResultsReading {
    enum class Status { read, missing, damaged };
    Status status = Status::missing;
    LevelResults results;  // empty unless read
};

// The file `path`: missing (or unreadable) and damaged files give no results.
LevelResultsReading readLevelResults(const std::string& path);
// Replaces `path` whole (the old file survives a failure). False when it
// can't be written.
bool writeLevelResults(const std::string& path, const LevelResults& results);

}  // namespace quorvel
