// The one guard every command passes: while the computer thinks, the
// commands that change the game are refused whatever their entry (menu,
// button, toolbar zone, spin control), and their controls are disabled.

#include "window/command_guard.h"

#include <QAction>
#include <QPushButton>
#include <ostream>

#include "window/board_geometry.h"
#include "window/command_ids.h"
#include "window/main_menu.h"
#include "window/mouse_input.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

// What a command that changes the game would have touched.
struct GameSnapshot {
    Position current;
    int plyCount;
    int recordLength;
    bool playerIsBlack;
    std::array<MoveText, GameRecord::kCapacity> moves;

    explicit GameSnapshot(const GameRecord& r)
        : current(r.current),
          plyCount(r.plyCount),
          recordLength(r.recordLength),
          playerIsBlack(r.playerIsBlack),
          moves(r.moves) {}
    friend bool operator==(const GameSnapshot&, const GameSnapshot&) = default;
    friend void PrintTo(const GameSnapshot& s, std::ostream* os) {
        *os << s.plyCount << " half-moves, player " << (s.playerIsBlack ? "Black" : "White");
    }
};

// The commands that change the game, the files or the engine's settings.
constexpr int kGameCommands[] = {cmd::kNewGame,
                                 cmd::kLoadGame,
                                 cmd::kSaveGame,
                                 cmd::kSaveGameAs,
                                 cmd::kRecoverGame,
                                 cmd::kPrint,
                                 cmd::kComputerFirst,
                                 cmd::kSideWhite,
                                 cmd::kSideBlack,
                                 cmd::kChangeSide,
                                 cmd::kModeComputerComputer,
                                 cmd::kTakeBack,
                                 cmd::kReviewLastMove,
                                 cmd::kHistoryBack,
                                 cmd::kHistoryForward,
                                 cmd::kEngineOptions,
                                 cmd::kAbout,
                                 cmd::kHelp};

class CommandGuard : public WindowTest {
protected:
    // Runs `probe` once, on the window thread, while the computer's search
    // for White's first move is under way.
    template <class Probe>
    void duringTheComputersSearch(Probe probe) {
        // Deep enough that only the clock ends the main phase, which can't
        // tick while the probe runs on the window thread.
        controller().engineOptions().maxDepthMain = 10;
        controller().limits().mainTimeLimit = 1;
        controller().limits().secondaryTimeLimit = 1;
        bool probed = false;
        QObject::connect(&controller(), &GameController::panelRefreshNeeded, window.get(), [&] {
            if (probed || !play().searchRunning || controller().status().searchIdle) return;
            probed = true;
            probe();
        });
        window->runCommand(cmd::kComputerFirst);
        ASSERT_TRUE(probed);
    }
    void pressZone(int zone) {
        const QPoint centre(board::toolbarIconPosition(zone) + QPoint(8, 8));
        moveMouse(centre);
        ASSERT_EQ(window->mouse().hoverZone(), zone);
        leftClick(centre);
    }
    // The computer (White) has made one move, recorded as White's.
    void expectOneComputerMove() {
        ASSERT_EQ(record().plyCount, 1);
        EXPECT_TRUE(record().playerIsBlack);
        const char fromRank = record().moves[0][1];
        EXPECT_TRUE(fromRank == '1' || fromRank == '2') << record().moves[0].str();
        EXPECT_EQ(record().current, record().history[0]);
    }
};

TEST_F(CommandGuard, EveryToolbarZonePressedDuringASearchLeavesTheGameAlone) {
    duringTheComputersSearch([&] {
        for (int zone = 1; zone <= board::kToolbarZones; ++zone) {
            const GameSnapshot before(record());
            pressZone(zone);
            EXPECT_EQ(GameSnapshot(record()), before) << "zone " << zone;
        }
        // Turning the board (zone 6) only changes the view.
        EXPECT_TRUE(controller().display().boardTurned);
        EXPECT_TRUE(dialogs.boxes.empty());
    });
    expectOneComputerMove();
}

TEST_F(CommandGuard, GameCommandsAreRefusedAndDisabledDuringASearch) {
    dialogs.fileNames.push_back(path("partie.ech"));
    duringTheComputersSearch([&] {
        for (const int id : kGameCommands) {
            const GameSnapshot before(record());
            window->runCommand(id);
            EXPECT_EQ(GameSnapshot(record()), before) << "command " << id;
            if (QAction* action = window->menu().action(id)) {
                EXPECT_FALSE(action->isEnabled()) << id;
            }
        }
        EXPECT_TRUE(dialogs.boxes.empty());
        EXPECT_EQ(dialogs.fileNames.size(), 1u);  // no file dialog was opened
        EXPECT_FALSE(window->layout().takeBack->isEnabled());
        EXPECT_TRUE(window->layout().stop->isEnabled());
        EXPECT_TRUE(window->layout().quit->isEnabled());
        EXPECT_TRUE(window->menu().action(cmd::kModeComputerHuman)->isEnabled());
    });
    expectOneComputerMove();
    // The human has the board again: everything shown is offered (Qt
    // disables a hidden entry, such as a level no engine here plays).
    for (const int id : window->menu().ids()) {
        const QAction* action = window->menu().action(id);
        if (action->isVisible()) {
            EXPECT_TRUE(action->isEnabled()) << id;
        }
    }
    EXPECT_TRUE(window->layout().takeBack->isEnabled());
}

TEST_F(CommandGuard, EveryMenuCommandHasItsRowAndUnknownCommandsWaitForTheHuman) {
    for (const int id : window->menu().ids()) EXPECT_NE(commandRule(id), nullptr) << id;
    const int unknown = 99999;
    EXPECT_EQ(commandVerdict(unknown, {.searching = false, .replaying = false}), CommandVerdict::run);
    EXPECT_EQ(commandVerdict(unknown, {.searching = true, .replaying = false}), CommandVerdict::refuse);
    EXPECT_EQ(commandVerdict(unknown, {.searching = false, .replaying = true}), CommandVerdict::refuse);
}

}  // namespace
}  // namespace quorvel::testing
