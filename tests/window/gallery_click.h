#pragma once
// A click on a chess square ("e2") of the window's board, wherever the board
// lies at the window's size: the galleries play their games with it.

#include <QTest>
#include <string_view>

#include "window/game_window.h"

namespace quorvel {

inline void clickSquare(GameWindow& window, std::string_view square) {
    const GameRecord& record = window.controller().state().record;
    const int x = square[0] - 'a' + 1;
    const int rank = square[1] - '0';
    const board::Square stored{x, record.playerIsBlack ? 9 - rank : rank};
    QTest::mouseClick(&window.boardView(), Qt::LeftButton, Qt::NoModifier,
                      window.squareOnScreen(stored).center().toPoint());
}

}  // namespace quorvel
