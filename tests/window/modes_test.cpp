// The human's colour, the two-human mode, the computer playing first and
// the toolbar's hover texts.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QToolButton>
#include <QWheelEvent>

#include "window/board_geometry.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/mouse_input.h"
#include "window/up_down_control.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using Modes = WindowTest;

TEST_F(Modes, HumanAsBlackSeesWhiteBelowAndTheTopLeftSquareIsTheirRook) {
    // Choosing Black hands White's first move to the computer, which plays it.
    window->runCommand(cmd::kSideBlack);
    ASSERT_TRUE(record().playerIsBlack);
    ASSERT_EQ(record().plyCount, 1);
    // The stored board is mirrored: the human's army is the lower side.
    EXPECT_EQ(record().current.at(1, 1), kLowerRook);
    EXPECT_EQ(record().current.at(5, 1), kLowerKing);
    // The picture still shows White at the bottom: the top-left square of
    // the board is (1, 1), the human's rook on a8.
    leftClick(board::squareRectInClient(1, 1).center());
    EXPECT_TRUE(play().markerOn);
    EXPECT_EQ(play().selFile, 1);
    EXPECT_EQ(play().selRank, 1);
    EXPECT_EQ(play().movingPiece, kLowerRook);
}

TEST_F(Modes, ComputerPlaysFirstOnlyWhenItIsItsTurn) {
    window->runCommand(cmd::kComputerFirst);
    EXPECT_TRUE(record().playerIsBlack);
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_FALSE(record().moves[0].empty());
    // White's first move stands in the chess ranks of White (rank 1 or 2 to 3 or 4).
    const char fromRank = record().moves[0][1];
    EXPECT_TRUE(fromRank == '1' || fromRank == '2') << record().moves[0].str();
    // Now it is the human's turn: the command does nothing.
    window->runCommand(cmd::kComputerFirst);
    EXPECT_EQ(record().plyCount, 1);
}

TEST_F(Modes, TwoHumansAlternateAndTheStatusSaysWhoPlays) {
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    EXPECT_EQ(shownStatus(), "C'est aux Noirs de jouer");
    EXPECT_TRUE(record().playerIsBlack);
    playChess("e7", "e5");
    EXPECT_EQ(shownStatus(), "C'est aux Blancs de jouer");
    EXPECT_FALSE(record().playerIsBlack);
    EXPECT_EQ(record().moves[1].str(), "e7-e5");
    // Each move is written to the recovery file by the window itself.
    EXPECT_TRUE(QFile::exists(dataFile("partie.tmp")));
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89 * 2);
}

TEST_F(Modes, ToolbarHoverTextsAndTheStatusComingBack) {
    play().statusText = "avant";
    const char* const texts[] = {"-> Revoir les mouvements de la partie",
                                 "-> Commencer une nouvelle partie",
                                 "-> Charger une partie",
                                 "-> Sauvegarder une partie",
                                 "-> Faire jouer l'ordinateur en premier",
                                 "-> Changer de camp",
                                 "-> Tourner l'échiquier de 180°",
                                 "-> Annuler le dernier mouvement"};
    const int centres[] = {50, 102, 142, 183, 223, 265, 303, 343};
    for (int z = 0; z < 8; ++z) {
        moveMouse(QPoint(centres[z], 15));
        EXPECT_EQ(shownStatus(), QString::fromUtf8(texts[z]));
        EXPECT_EQ(window->mouse().hoverZone(), z);
    }
    moveMouse(QPoint(200, 200));
    EXPECT_EQ(window->mouse().hoverZone(), 0);
    EXPECT_EQ(shownStatus(), "avant");
}

// The history arrows cover zone 0; a search having run before (its seconds
// stay counted) must not keep a help text on the status line either.
TEST_F(Modes, TheArrowsShowTheirHelpAndNoHelpStaysOnceThePointerLeaves) {
    play().statusText = "avant";
    controller().status().searchSeconds = 7;
    controller().repaint();
    QToolButton* arrow = window->layout().history->findChildren<QToolButton*>().front();
    const QPointF centre = arrow->rect().center();
    QMouseEvent over(QEvent::MouseMove, centre, arrow->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(arrow, &over);
    EXPECT_EQ(shownStatus(), "-> Revoir les mouvements de la partie");
    QEvent leaveArrows(QEvent::Leave);
    QApplication::sendEvent(window->layout().history, &leaveArrows);
    EXPECT_EQ(shownStatus(), "avant");

    // From an icon straight up out of the board view, to the menu bar.
    moveMouse(QPoint(142, 15));
    EXPECT_EQ(shownStatus(), "-> Charger une partie");
    QEvent leaveBoard(QEvent::Leave);
    QApplication::sendEvent(&window->boardView(), &leaveBoard);
    EXPECT_EQ(shownStatus(), "avant");
    EXPECT_EQ(window->mouse().hoverZone(), 0);
}

TEST_F(Modes, ChangingSideByTheToolbarSaysSo) {
    moveMouse(QPoint(265, 15));
    leftClick(QPoint(265, 15));
    EXPECT_TRUE(record().playerIsBlack);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().text, QString::fromUtf8("Vous êtes maintenant du côté des Noirs"));
    EXPECT_EQ(dialogs.boxes.back().caption, "Quorvel 1.0");
    // A second click without moving the pointer again does nothing.
    leftClick(QPoint(265, 15));
    EXPECT_TRUE(record().playerIsBlack);
}

TEST_F(Modes, TheComputersStalemateEndsTheGame) {
    // White to move: Qb6 stalemates the black king on a8.
    setFen("k7/8/2Q5/8/8/8/8/4K3 w - - 0 1");
    playChess("c6", "b6");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_TRUE(controller().gameOver());
    EXPECT_EQ(shownStatus(), "Pat ! Fin de la partie");
    EXPECT_EQ(dialogs.boxes.back().text, "Pat ! Fin de la partie");
    EXPECT_FALSE(controller().timers().running());
    window->runCommand(cmd::kComputerFirst);
    EXPECT_EQ(record().plyCount, 1);
}

}  // namespace
}  // namespace quorvel::testing

namespace quorvel::testing {
namespace {

TEST_F(Modes, ComputerAgainstComputerStopsWhenAskedAndKeepsTheUsersTimeLimit) {
    controller().limits().mainTimeLimit = 9;
    int steps = 0;
    QObject::connect(&controller(), &GameController::computerMoveStep, [&](int step, int, int) {
        if (step != 3) return;
        // The time in use varies by two seconds; the user's setting does not.
        const int inUse = controller().limitsInUse().mainTimeLimit;
        EXPECT_TRUE(inUse == 7 || inUse == 11) << inUse;
        EXPECT_EQ(controller().limits().mainTimeLimit, 9);
        if (++steps == 3) window->runCommand(cmd::kStopSearch);
    });
    window->runCommand(cmd::kModeComputerComputer);
    EXPECT_EQ(record().plyCount, 3);
    EXPECT_FALSE(play().computerVsComputer);
    EXPECT_EQ(controller().limits().mainTimeLimit, 9);
    EXPECT_TRUE(dialogs.boxes.empty());  // no check or mate messages in this mode
    // Both sides' moves are recorded in White's and Black's chess ranks.
    EXPECT_TRUE(record().moves[0][1] == '2' || record().moves[0][1] == '1') << record().moves[0].str();
    EXPECT_TRUE(record().moves[1][1] == '7' || record().moves[1][1] == '8') << record().moves[1].str();
}

TEST_F(Modes, TheComputerPlayingItselfEndsItsGameOnTheStatusLine) {
    struct Case {
        const char* fen;
        const char* result;
    };
    const Case cases[] = {{"k7/8/1K6/8/8/8/8/7R w - - 0 1", "Les Blancs gagnent!"},  // Rh8 mate
                          {"K7/8/1k6/8/8/8/8/7r b - - 0 1", "Les Noirs gagnent!"},   // Rh8 mate
                          {"k7/8/1Q6/8/8/8/8/4K3 b - - 0 1", "Pat ! Fin de la partie"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fen);
        setFen(c.fen);
        dialogs.boxes.clear();  // a position set up stalemated says so at once
        const int before = record().plyCount;
        window->runCommand(cmd::kModeComputerComputer);
        EXPECT_EQ(shownStatus(), QString::fromUtf8(c.result));
        EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.lastText().toStdString();
        EXPECT_FALSE(controller().timers().running());
        if (record().plyCount > before) {
            EXPECT_TRUE(
                record().moves[static_cast<std::size_t>(record().plyCount - 1)].str().ends_with("++"));
        }
    }
}

TEST_F(Modes, TheWheelScrollsTheMoveList) {
    window->runCommand(cmd::kModeHumanHuman);
    const char* moves[][2] = {{"a2", "a3"}, {"a7", "a6"}, {"b2", "b3"}, {"b7", "b6"}, {"c2", "c3"},
                              {"c7", "c6"}, {"d2", "d3"}, {"d7", "d6"}, {"e2", "e3"}, {"e7", "e6"}};
    for (const auto& move : moves) playChess(move[0], move[1]);
    ASSERT_EQ(play().firstShownRow, 2);
    QWheelEvent away(QPointF(200, 200), QPointF(200, 200), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window->boardView(), &away);
    EXPECT_EQ(play().firstShownRow, 0);
    QWheelEvent towards(QPointF(200, 200), QPointF(200, 200), QPoint(), QPoint(0, -480), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window->boardView(), &towards);
    EXPECT_EQ(play().firstShownRow, 2);  // one step per turn, whatever its size
    QApplication::sendEvent(&window->boardView(), &towards);
    EXPECT_EQ(play().firstShownRow, 2);  // recordLength - 8 reached
}

}  // namespace
}  // namespace quorvel::testing
