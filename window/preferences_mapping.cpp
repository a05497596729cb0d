// Between the preferences file (the options quorvel.ini has no room for)
// and the window. Each option reads its key with its own default and range,
// so a missing or damaged value falls back on its own.

#include "window/game_window.h"

namespace quorvel {

namespace {
constexpr const char* kAnnounceMovesKey = "announceMoves";
}  // namespace

void GameWindow::applyPreferences() {
    // Kept as chosen even on a machine without a voice: it speaks again
    // where one is installed.
    announcer_.setEnabled(preferences_.flag(kAnnounceMovesKey, false));
    setMenuChecks();
}

void GameWindow::storePreferences() {
    preferences_.setFlag(kAnnounceMovesKey, announcer_.enabled());
}

}  // namespace quorvel
