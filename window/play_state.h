#pragma once
// The game state of the window: the record, whose turn it is, the mode, the
// square marker and the texts of the panel. One instance, held by the game
// controller; the views read it, the controller and the mouse input change
// it.

#include <QString>
#include <cstdint>

#include "rules/position.h"

namespace quorvel {

struct PlayState {
    GameRecord record;
    Position searchBackup;  // `current` as it was when the search started

    // Mode and turn
    bool humanVsHuman = false;
    bool computerVsComputer = false;
    bool searchRunning = false;       // a computer move is being prepared or shown
    bool awaitingHuman = true;        // control is back with the human
    bool announcePending = false;     // a move was made since the last check announcement
    bool moveAwaitingSearch = false;  // human move committed, reply not started (clocks pause)
    bool reviewing = false;           // the last move is being replayed: the board takes no clicks

    // The square marker: the human's selection, or the computer's move being
    // shown (then markRank is a chess rank).
    bool markerOn = false;
    int markFile = 0;
    int markRank = 0;
    int selFile = 0;
    int selRank = 0;
    int movingPiece = 0;

    QString statusText;                // the status line under "Meilleure solution trouvée :"
    std::uint32_t tickCount = 0;       // 100 ms ticks
    std::uint32_t secondsCounter = 0;  // 1 s ticks that reached the accounting, never reset
    int firstShownRow = 0;             // half-move index shown in the move list's first "Blancs" cell

    // Bumped whenever the position changes by a move, a take-back or a load,
    // so each end-of-game message is shown once per position.
    int positionSerial = 0;
};

// Display options of the board and the move list, kept in the settings file.
struct DisplayOptions {
    int pieceSet = 0;  // 0, 20 or 40
    bool showCoordinates = true;
    bool shadedPieces = true;
    bool showPossibleMoves = true;
    bool boardTurned = false;
    bool algebraic = false;
    bool boxAtEveryCheck = false;  // a modal "Echec !" at each check (kept in the preferences file)
    std::uint32_t darkColour = kDefaultDark;  // 0x00BBGGRR
    std::uint32_t lightColour = kDefaultLight;
    std::uint32_t borderColour = kDefaultBorder;

    static constexpr std::uint32_t kDefaultDark = 0x0098645A;
    static constexpr std::uint32_t kDefaultLight = 0x00F0F0F0;
    static constexpr std::uint32_t kDefaultBorder = 0x00CACACA;
};

// The first shown row of the move list for a count of half-moves: from nine
// on, the last half-move lands in the fourth row.
inline int firstShownRowFor(int count) {
    if (count <= 8) return 0;
    const int row = count - 8;
    return row % 2 ? row + 1 : row;
}

}  // namespace quorvel
