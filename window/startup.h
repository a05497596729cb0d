#pragma once
// The program's start: the splash, the opening book, the user's folders,
// the settings file, then the main window.

#include <QString>
#include <cstdint>

class QTranslator;

namespace quorvel {

class GameWindow;

// The machine's physical memory in bytes (0 when unknown).
std::uint64_t totalPhysicalMemory();

// Loads the opening book the window's file locations name into its
// controller; says once that "ouvertures.txt" is missing when there is none.
void loadOpeningBook(GameWindow& window);

// Qt's own texts in French: the buttons and titles of the standard file,
// colour and print dialogs. Loads Qt's French translations into
// `translator` and installs it; false when they are not on the machine,
// and the standard dialogs then speak English.
bool installQtFrench(QTranslator& translator);

// Runs the whole program: splash, main window, until the window closes.
int runApplication();

}  // namespace quorvel
