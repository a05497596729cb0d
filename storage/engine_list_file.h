#pragma once
// The chess engines a player can choose as the computer's opponent, and the
// choices made among them, kept in "moteurs.ini" beside quorvel.ini (whose
// fixed record has no room for them). One "key=value" per line, as in the
// preferences file:
//
//   opponent=2                     the engine of "Ordinateur / Humain"
//   white=0                        the engines of "Ordinateur / Ordinateur"
//   black=2                        (0 is Quorvel's own engine, k the k-th below)
//   engine.1.name=Stockfish 15.1
//   engine.1.program=/usr/games/stockfish
//   engine.1.argument.1=--uci      one key per argument, so blanks survive
//   engine.1.origin=found          found where Debian installs it, or added
//   engine.1.renamed=1             the name is the player's: the engine's own does not replace it
//   engine.1.removed=1             a found engine the player removed: not found again
//   engine.1.elo=1500              UCI_LimitStrength with this UCI_Elo
//   engine.1.skill=5               Skill Level
//   engine.1.seconds=3             a time per move of its own
//   engine.1.elo.range=1350-2850   what it offered when it last answered
//   engine.1.skill.range=0-20
//
// Reading never fails: what can't be read is left out, said in `problems`,
// and a choice that points nowhere goes back to Quorvel's own engine.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

enum class EngineOrigin {
    found,  // one of the known engines, found where it is installed
    added,  // a program the player added
};

// How strong the engine is made, from what it offers (at most one of the
// three is used, in this order).
struct EngineStrength {
    std::optional<int> elo;          // UCI_LimitStrength on, UCI_Elo this value; none: full strength
    std::optional<int> skillLevel;   // "Skill Level"; none: the engine's default
    std::optional<int> moveSeconds;  // 1..300 seconds a move; none: the game's thinking time

    friend bool operator==(const EngineStrength&, const EngineStrength&) = default;
};

struct EngineEntry {
    std::string name;  // as the menu shows it
    bool renamed = false;
    std::string program;                 // its path
    std::vector<std::string> arguments;  // not including the program
    EngineOrigin origin = EngineOrigin::added;
    bool removed = false;
    EngineStrength strength;
    std::optional<std::pair<int, int>> eloRange;    // lowest and highest UCI_Elo it offered
    std::optional<std::pair<int, int>> skillRange;  // lowest and highest Skill Level

    friend bool operator==(const EngineEntry&, const EngineEntry&) = default;
};

// The engines and who plays. A choice is 0 for Quorvel's own engine, k for
// engines[k - 1].
struct EngineChoices {
    std::vector<EngineEntry> engines;
    int opponent = 0;
    int white = 0;
    int black = 0;

    // The engine a choice names, or nullptr for Quorvel's own engine, a
    // number out of range or a removed engine.
    const EngineEntry* engine(int choice) const;
    // The entry of `program` (same path), or 0.
    int find(const std::string& program) const;
    // Takes entry k out; the choices that named it go back to Quorvel's own
    // engine, those after it move down. A found engine stays, marked removed,
    // so that it is not found again at the next start.
    void remove(int choice);

    friend bool operator==(const EngineChoices&, const EngineChoices&) = default;
};

// At most this many engines are kept (the menu's room).
constexpr int kMaxEngines = 31;

// An engine found installed: its program, the arguments it needs, and the
// name it goes by until it has said its own.
struct FoundEngine {
    std::string program;
    std::vector<std::string> arguments;
    std::string name;
};

// Adds the found engines the list does not hold yet (by their program's
// path), after the others, while there is room; an engine the player
// removed stays removed.
void mergeFoundEngines(EngineChoices& choices, const std::vector<FoundEngine>& found);

struct EngineListRead {
    EngineChoices choices;
    std::vector<std::string> problems;  // in French, for the message; empty when all was read
};

// The file's text, and back.
EngineListRead parseEngineList(std::string_view text);
std::string serialiseEngineList(const EngineChoices& choices);

// A missing file reads as no engine and Quorvel's own as the opponent,
// without a problem (the first start); a file that can't be read (a folder,
// no permission, too large) as the same with a problem.
EngineListRead readEngineList(const std::string& path);
// Replaces `path` whole (the old file survives a failure). False when it
// can't be written.
bool writeEngineList(const std::string& path, const EngineChoices& choices);

inline const char* kEngineListFileName = "moteurs.ini";

}  // namespace quorvel
