// A check is shown, not stopped for: the king's square on the board and
// "Echec !" on the status line; the modal box is an option the player may
// choose, kept between runs. Mate and stalemate keep their boxes.

#include <QAction>
#include <QFileInfo>
#include <cmath>

#include "storage/preferences_file.h"
#include "window/board_renderer.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class CheckDisplay : public WindowTest {
protected:
    // The colour shown inside a stored square, away from its piece.
    QRgb shownColour(board::Square stored) {
        const QImage shown = window->boardView().grabClient();
        const QPointF corner = window->squareOnScreen(stored).topLeft() + QPointF(4, 4);
        const qreal s = shown.devicePixelRatio();
        return shown.pixel(std::lround(corner.x() * s), std::lround(corner.y() * s)) & 0xFFFFFF;
    }
    int checkBoxes() const {
        int count = 0;
        for (const auto& box : dialogs.boxes) count += box.text == QStringLiteral("Echec !      ");
        return count;
    }
};

// The marking reads on both square colours: far from each, as from the
// selection's reds (a sum of channel differences of at least 150 of 765).
TEST_F(CheckDisplay, TheCheckColourStandsOutFromBothSquaresAndTheMarkers) {
    auto distance = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    };
    for (const QRgb other : {colourFromBgr(DisplayOptions::kDefaultLight).rgb(),
                             colourFromBgr(DisplayOptions::kDefaultDark).rgb(), BoardRenderer::kMarker,
                             BoardRenderer::kReachableA, BoardRenderer::kReachableB})
        EXPECT_GE(distance(BoardRenderer::kCheck, other), 150) << std::hex << other;
}

TEST_F(CheckDisplay, TheCheckedKingsSquareAndTheStatusLineSayItWithoutABox) {
    struct Case {
        const char* name;
        const char* fen;
        bool humanBlack;
        bool turned;
        board::Square king;  // stored square of the king in check
    };
    const Case cases[] = {
        // White's king on e1 (dark), checked by a rook.
        {"white king on a dark square", "4k3/8/8/8/8/8/8/r3K3 w - - 0 1", false, false, {5, 1}},
        // White's king on f1 (light), checked by a bishop.
        {"white king on a light square", "4k3/p7/8/8/8/8/6b1/5K2 w - - 0 1", false, false, {6, 1}},
        // The human plays Black, the board turned: Black's king on e8 is the
        // stored (5, 1).
        {"black king, the human black, turned", "4k3/8/8/8/8/8/8/4R1K1 b - - 0 1", true, true, {5, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play().statusText.clear();
        setFen(c.fen, c.humanBlack);
        controller().display().boardTurned = c.turned;
        dialogs.boxes.clear();
        controller().repaint();
        EXPECT_EQ(shownColour(c.king), BoardRenderer::kCheck & 0xFFFFFF);
        // Every other square keeps its own colour.
        EXPECT_NE(shownColour({c.king.x == 1 ? 2 : c.king.x - 1, c.king.y}),
                  BoardRenderer::kCheck & 0xFFFFFF);
        EXPECT_EQ(shownStatus(), "Echec !");
        EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.lastText().toStdString();
    }
    // Out of check, the square and the line are as before.
    setFen("4k3/8/8/8/8/8/r7/6K1 w - - 0 1");
    EXPECT_EQ(shownColour({7, 1}), colourFromBgr(DisplayOptions::kDefaultDark).rgb() & 0xFFFFFF);
    EXPECT_EQ(shownStatus(), "");
}

TEST_F(CheckDisplay, BetweenTwoHumansTheCheckLeadsTheTurnLine) {
    window->runCommand(cmd::kModeHumanHuman);
    setFen("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    playChess("d1", "e2");  // check along the file
    EXPECT_EQ(shownStatus(), "Echec !\nC'est aux Noirs de jouer");
    EXPECT_EQ(checkBoxes(), 0);
    playChess("e8", "d8");
    EXPECT_EQ(shownStatus(), "C'est aux Blancs de jouer");
}

// With the option on, a box at each check, once per position, for either
// side; the option is a menu item kept in the preferences file.
TEST_F(CheckDisplay, TheBoxAtEveryCheckIsAnOptionKeptBetweenRuns) {
    QAction* option = window->menu().action(cmd::kBoxAtEveryCheck);
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->text(), QString::fromUtf8("Boîte de dialogue à chaque échec"));
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    option->trigger();
    EXPECT_TRUE(option->isChecked());

    window->runCommand(cmd::kModeHumanHuman);
    setFen("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    playChess("d1", "e2");  // White checks Black
    EXPECT_EQ(checkBoxes(), 1);
    EXPECT_EQ(dialogs.boxes.back().caption, "QuorVEL 1.0");
    controller().repaint();
    EXPECT_EQ(checkBoxes(), 1);  // once for the position
    playChess("e8", "d8");
    setFen("3k4/8/8/8/8/8/4K3/3r4 b - - 0 1");
    window->runCommand(cmd::kSideBlack);
    playChess("d1", "d2");  // Black checks White
    EXPECT_EQ(checkBoxes(), 2);

    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);
    const auto kept = readPreferences(configFile("preferences.ini").toStdString());
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->flag("check.box", false));
    EXPECT_EQ(QFileInfo(configFile("quorvel.ini")).size(), 183);
    GameWindow next(dialogs, *locations);
    next.readSettingsFile();
    EXPECT_TRUE(next.controller().display().boxAtEveryCheck);
    EXPECT_TRUE(next.menu().action(cmd::kBoxAtEveryCheck)->isChecked());
}

// Against the computer, the computer's check is shown without a box too;
// the mate keeps its box.
TEST_F(CheckDisplay, TheMateKeepsItsBoxAndTheCheckBeforeItHasNone) {
    setFen("7k/6pp/8/8/8/8/8/R5K1 w - - 0 1");
    playChess("a1", "a8");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(checkBoxes(), 0);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().text, "Echec et mat : les Blancs gagnent !");
    // A mate is not "Echec !" on the status line: the winner is.
    EXPECT_EQ(shownStatus(), "Les Blancs gagnent!");
}

}  // namespace
}  // namespace quorvel::testing
