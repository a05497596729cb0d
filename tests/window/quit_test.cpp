// The quit sequence from every entry, in every mode, while the computer
// thinks and between moves: the search ends, the settings are written and
// the window closes.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "storage/settings_file.h"
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

// The thinking time the user chose is what the settings file keeps, in every
// mode: the computer playing itself varies the time it uses by two seconds,
// never the user's setting.
struct TimeCase {
    const char* name;
    Mode mode;
    int mainTime;       // the user's main time; the secondary time is 4
    int presetChecked;  // the preset ticked after the next start, 0 for none
};

void PrintTo(const TimeCase& c, std::ostream* os) {
    *os << c.name;
}

class ThinkingTimeRoundTrip : public WindowTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(ThinkingTimeRoundTrip, QuittingWritesTheUsersTimeNotTheOneInUse) {
    const TimeCase c = GetParam();
    if (c.mainTime == 4) {
        window->runCommand(32837);  // "5 secondes"
    } else {
        controller().limits() = {c.mainTime, 4};
        window->repaintAll();
    }
    std::vector<int> mainTimesInUse;
    bool quitAsked = false;
    auto quit = [&] {
        if (quitAsked) return;
        quitAsked = true;
        dialogs.answers.push_back(BoxAnswer::yes);
        window->runCommand(cmd::kQuit);
    };
    switch (c.mode) {
        case Mode::computerHuman:
            playChess("e2", "e4");
            quit();
            break;
        case Mode::humanHuman:
            window->runCommand(cmd::kModeHumanHuman);
            playChess("e2", "e4");
            quit();
            break;
        case Mode::computerComputer:
            // Quit while the loop runs, between two moves of the computer.
            QObject::connect(&controller(), &GameController::computerMoveStep, window.get(),
                             [&](int step, int, int) {
                                 mainTimesInUse.push_back(controller().limitsInUse().mainTimeLimit);
                                 EXPECT_EQ(controller().limits().mainTimeLimit, c.mainTime);
                                 if (step == 2 && mainTimesInUse.size() >= 5) quit();
                             });
            window->runCommand(cmd::kModeComputerComputer);
            break;
    }
    ASSERT_TRUE(quitAsked);
    ASSERT_FALSE(window->isVisible());
    for (const int inUse : mainTimesInUse)
        EXPECT_EQ(inUse, std::max(1, c.mainTime + (inUse > c.mainTime ? 2 : -2))) << inUse;

    Settings written;
    readSettings(locations->folders().config.toStdString(), written);
    EXPECT_EQ(written.mainTimeLimit, c.mainTime);
    EXPECT_EQ(written.secondaryTimeLimit, 4);
    GameWindow next(dialogs, *locations);
    next.readSettingsFile();
    EXPECT_EQ(next.controller().limits().mainTimeLimit, c.mainTime);
    EXPECT_EQ(next.controller().limitsInUse().mainTimeLimit, c.mainTime);
    for (int id = cmd::kTimePresetFirst; id <= cmd::kTimePresetLast; ++id)
        EXPECT_EQ(next.menu().action(id)->isChecked(), id == c.presetChecked) << id;
}

INSTANTIATE_TEST_SUITE_P(
    Quit, ThinkingTimeRoundTrip,
    ::testing::Values(TimeCase{"5 secondes, computer and human", Mode::computerHuman, 4, 32837},
                      TimeCase{"5 secondes, two humans", Mode::humanHuman, 4, 32837},
                      TimeCase{"5 secondes, the computer plays itself", Mode::computerComputer, 4, 32837},
                      TimeCase{"one second, the computer plays itself", Mode::computerComputer, 1, 0}),
    [](const ::testing::TestParamInfo<TimeCase>& info) { return "case" + std::to_string(info.index); });

// Quitting from inside the information dialog (its search thread waiting for
// the answer) ends the search and closes the window; nothing waits forever.
TEST_F(WindowTest, QuittingWhileTheInformationDialogIsOpenEndsTheSearchAndCloses) {
    controller().engineOptions().extraDisplays = true;
    int shown = 0;
    controller().setInformationDialog(
        [&](const std::string&, const std::string&, ExplorerPath& fields) -> std::optional<ExplorerPath> {
            ++shown;
            dialogs.answers.push_back(BoxAnswer::yes);
            window->runCommand(cmd::kQuit);
            fields[0] = "e2";
            return fields;  // "Rechercher": the thread must not wait for another showing
        });
    playChess("e2", "e4");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown > 0; }, 10000));
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(controller().searchThreadDone());
    EXPECT_EQ(QFileInfo(configFile("quorvel.ini")).size(), 183);
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89 * 2);
}

}  // namespace
}  // namespace quorvel::testing
