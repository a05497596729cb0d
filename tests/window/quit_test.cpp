// The quit sequence from every entry, in every mode, while the computer
// thinks and between moves: the search ends, the settings are written and
// the window closes.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

#include "window/command_ids.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

enum class Mode { computerHuman, humanHuman, computerComputer };
enum class Moment { computerThinks, computerShowsItsMove, humansTurn };
enum class Entry { button, menu, closeBox };

struct QuitCase {
    const char* name;
    Mode mode;
    Moment moment;
    Entry entry;
};

void PrintTo(const QuitCase& c, std::ostream* os) {
    *os << c.name;
}

class QuitInEveryMode : public WindowTest, public ::testing::WithParamInterface<QuitCase> {
protected:
    void quitBy(Entry entry) {
        quitAsked = true;
        switch (entry) {
            case Entry::button:
                window->layout().quit->click();
                break;
            case Entry::menu:
                window->menu().action(cmd::kQuit)->trigger();
                break;
            case Entry::closeBox:
                window->close();
                QApplication::processEvents();
                break;
        }
    }
    // Quits once, at the first moment of the case.
    void connectQuit(const QuitCase& c) {
        auto atMoment = [this, c] {
            if (!quitAsked) quitBy(c.entry);
        };
        if (c.moment == Moment::computerThinks) {
            controller().engineOptions().maxDepthMain = 10;
            QObject::connect(&controller(), &GameController::panelRefreshNeeded, window.get(),
                             [this, atMoment] {
                                 if (play().searchRunning && !controller().status().searchIdle) atMoment();
                             });
        } else if (c.moment == Moment::computerShowsItsMove) {
            QObject::connect(&controller(), &GameController::computerMoveStep, window.get(),
                             [atMoment](int step, int, int) {
                                 if (step == 2) atMoment();
                             });
        }
    }

    bool quitAsked = false;
};

TEST_P(QuitInEveryMode, TheSearchEndsTheSettingsAreWrittenAndTheWindowCloses) {
    const QuitCase c = GetParam();
    connectQuit(c);
    switch (c.mode) {
        case Mode::computerHuman:
            if (c.moment == Moment::humansTurn)
                playChess("e2", "e4");
            else
                window->runCommand(cmd::kComputerFirst);
            break;
        case Mode::humanHuman:
            window->runCommand(cmd::kModeHumanHuman);
            playChess("e2", "e4");
            break;
        case Mode::computerComputer:
            window->runCommand(cmd::kModeComputerComputer);
            break;
    }
    if (c.moment == Moment::humansTurn) quitBy(c.entry);

    ASSERT_TRUE(quitAsked);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.front().text, QString::fromUtf8("Êtes-vous sûr de vouloir quitter Quorvel ?"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(controller().searchThreadDone());
    EXPECT_FALSE(play().computerVsComputer);
    EXPECT_EQ(QFileInfo(configFile("quorvel.ini")).size(), 183);
    // The game played so far is in the recovery file.
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89 * record().plyCount);
}

INSTANTIATE_TEST_SUITE_P(
    Quit, QuitInEveryMode,
    ::testing::Values(
        QuitCase{"computer thinks, button", Mode::computerHuman, Moment::computerThinks, Entry::button},
        QuitCase{"computer thinks, close box", Mode::computerHuman, Moment::computerThinks, Entry::closeBox},
        QuitCase{"human's turn, menu", Mode::computerHuman, Moment::humansTurn, Entry::menu},
        QuitCase{"two humans, close box", Mode::humanHuman, Moment::humansTurn, Entry::closeBox},
        QuitCase{"computer plays itself and thinks, menu", Mode::computerComputer, Moment::computerThinks,
                 Entry::menu},
        QuitCase{"computer plays itself, between its moves, button", Mode::computerComputer,
                 Moment::computerShowsItsMove, Entry::button}),
    [](const ::testing::TestParamInfo<QuitCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace quorvel::testing
