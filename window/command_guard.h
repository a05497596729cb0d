#pragma once
// Which commands may run while the game is busy: while the computer thinks,
// shows its move or plays itself, and while the last move is replayed.
//
// Every menu item, button, toolbar zone, spin control and key reaches the
// game through GameWindow::runCommand, which asks this table first; the same
// table enables and disables the menu's actions and the window's controls.
// A new command adds one row. A command without a row runs only when the
// game is idle, so a forgotten row can't touch a game under a search.

namespace quorvel {

// What a command may do during the replay of the last move.
enum class DuringReplay {
    runs,           // it does not touch the board the replay borrows
    cancelsReplay,  // the replay is ended (board and options restored) first
    refused,
};

struct CommandRule {
    int id;
    bool duringSearch;  // may run while the computer thinks, shows its move or plays itself
    DuringReplay duringReplay;
};

// What the game is doing when a command arrives.
struct CommandContext {
    bool searching = false;
    bool replaying = false;
    // The computer's search is an engine of another program's, which can be
    // dropped at once: the commands that replace the game end it and run.
    bool engineThinking = false;

    friend bool operator==(const CommandContext&, const CommandContext&) = default;
};

enum class CommandVerdict { run, cancelReplayThenRun, endEngineSearchThenRun, refuse };

CommandVerdict commandVerdict(int id, CommandContext context);

// The row of `id`, or nullptr when it has none (for tests). The ids of a
// range (the engines of the "Adversaire" menu) share its first id's row.
const CommandRule* commandRule(int id);

// The commands that replace the game or the player's side: while an engine
// of another program thinks, they drop its search and run.
bool endsEngineSearch(int id);

}  // namespace quorvel
