#pragma once
// Between the settings file's record and the window's options: every
// display option, colour, thinking-time limit and engine setting.

#include "storage/settings_file.h"

namespace quorvel {

class GameController;

// Puts the settings read at start-up into the controller. A piece set the
// program doesn't have falls back to the first one.
void applySettings(const Settings& settings, GameController& controller);
// The settings to write at quit; `gameFileName` is the current game file.
Settings collectSettings(const GameController& controller, const std::string& gameFileName);

}  // namespace quorvel
