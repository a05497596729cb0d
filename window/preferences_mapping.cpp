// Between the preferences file (the options quorvel.ini has no room for)
// and the window. Each option reads its key with its own default and range,
// so a missing or damaged value falls back on its own.

#include "engine/levels.h"
#include "window/game_window.h"
#include "window/level_commands.h"

namespace quorvel {

namespace {
// The level in force: 1..8, 0 for "Personnalisé". Absent, the settings
// decide (the program's defaults are the strongest level).
constexpr const char* kLevelKey = "level";
}  // namespace

void GameWindow::applyPreferences() {
    std::optional<int> level;
    if (preferences_.text(kLevelKey)) {
        level = preferences_.integer(kLevelKey, {kCustomLevel, kLevelCount}, kCustomLevel);
    }
    levels_->restore(level);
}

void GameWindow::storePreferences() {
    preferences_.setInteger(kLevelKey, levels_->level());
}

}  // namespace quorvel
