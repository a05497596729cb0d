#pragma once
// The "Niveau" menu: the level in force, chosen from the menu or fallen back
// to "Personnalisé" when an engine option or a thinking time is changed by
// hand; the player's results at each level, counted once per finished game
// against the computer and kept in a file of the user's data folder; the
// suggestion of another level after three wins or three losses in a row.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/levels.h"
#include "storage/level_results.h"
#include "window/command_ids.h"

namespace quorvel {

// Room for the levels an installed engine plays above Quorvel's own: "Niveau
// 9" and up.
constexpr int kLadderRoom = cmd::kLevelRoom - kLevelCount;
// The engine that plays them, where it is installed.
constexpr const char* kLadderEngine = "stockfish";

class DialogService;
class GameController;
class MainMenu;

class LevelCommands : public QObject {
    Q_OBJECT
public:
    // `resultsPath` is the results file; empty when its folder can't hold
    // one. `runCommand` runs the window's commands ("Personnalisé..." opens
    // the engine options and the time dialogs through it).
    LevelCommands(GameController& controller, DialogService& dialogs, std::string resultsPath,
                  std::function<void(int)> runCommand, QObject* parent = nullptr);

    // 1..kLevelCount, or kCustomLevel for "Personnalisé".
    int level() const { return level_; }
    // Runs the menu's level commands; false for any other id.
    bool run(int id);
    // "Niveau N": its options and times, and its way of choosing moves.
    void choose(int level);
    // After any command: an engine option or a time changed by hand leaves
    // the level for "Personnalisé".
    void followHandChanges();
    // The level kept between runs (nullopt: none kept) and the settings
    // just read: the kept level when they are its preset, else the level
    // they are the preset of, else "Personnalisé".
    void restore(std::optional<int> kept);
    // "Niveau 9" and up: the ladder engine at each step of its UCI_Elo,
    // shown when it is installed and offers one, hidden otherwise. At
    // start-up (`mayAsk`) the engine may be asked its range; later only the
    // range it said is used.
    void showLadder(MainMenu& menu, bool mayAsk);
    // The Elo of each step shown, from "Niveau 9" (tests).
    const std::vector<int>& ladder() const { return ladder_; }
    // The check marks of the "Niveau" menu.
    void setChecks(MainMenu& menu) const;
    // After every repaint's announcements: a game against the computer at a
    // level that has just ended is counted, once.
    void countFinishedGame();
    // The text of "Mes résultats...".
    QString resultsText() const;
    // A fixed seed for the draws of the weak levels (tests).
    void setSeed(std::uint32_t seed) { seed_ = seed; }

private:
    // The level in force is still what the options, times and opponent say.
    bool levelHolds() const;
    void computerStarts();
    void gameStarted(bool fresh);
    void showResults();
    LevelResults readResults(bool sayDamage);

    GameController& controller_;
    DialogService& dialogs_;
    std::string resultsPath_;
    std::function<void(int)> runCommand_;
    int level_;
    std::uint32_t seed_;
    // The level every computer move of this game was played at; nullopt
    // before the first, kCustomLevel when they differ or the game is not
    // one to count (another game loaded, another mode).
    std::optional<int> gameLevel_;
    bool counted_ = false;  // this game's result is in the file
    std::vector<int> ladder_;
    // A ladder level kept between runs, confirmed once the ladder is known.
    std::optional<int> pendingLadder_;
};

}  // namespace quorvel
