// Pictures of the main window after a few moves of each side, for people to
// look at (docs/screenshot-*.png). Not a test: run it under a display.
//   window_gallery <output folder>            the window at its smallest
//   window_gallery <output folder> maximized  the window filling the screen

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "features/fake_dialog_service.h"
#include "features/file_locations.h"
#include "window/board_geometry.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/game_window.h"
#include "gallery_click.h"

using namespace quorvel;

namespace {

void save(GameWindow& window, const QString& path) {
    QTest::qWait(200);
    window.grab().save(path);
}

}  // namespace

// The window maximized on the screen it is on, a game under way: the board
// as large as the screen allows, the computer's thinking shown.
int maximized(const QString& out, FileLocations& locations, FakeDialogService& dialogs) {
    GameWindow window(dialogs, locations);
    window.controller().engineOptions().maxDepthMain = 3;
    window.runCommand(cmd::kShowThinking);
    window.showMaximized();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    // Without a window manager nobody maximizes the window: it takes the
    // screen's room itself, as a manager would give it.
    const QRect room = window.screen()->availableGeometry();
    if (window.frameGeometry().size() != room.size()) window.setGeometry(room);
    QTest::qWait(200);
    const char* moves[][2] = {{"e2", "e4"}, {"g1", "f3"}, {"f1", "c4"}, {"d2", "d3"}};
    for (const auto& move : moves) {
        clickSquare(window, move[0]);
        clickSquare(window, move[1]);
    }
    clickSquare(window, "c1");  // a selection with its reachable squares
    save(window, out + "/screenshot-maximized.png");
    return 0;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir folder;
    FileLocations locations = FileLocations::under(folder.path());
    FakeDialogService dialogs;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("maximized"))
        return maximized(out, locations, dialogs);
    {
        GameWindow window(dialogs, locations);
        window.controller().engineOptions().maxDepthMain = 3;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        const char* moves[][2] = {{"e2", "e4"}, {"d2", "d4"}, {"g1", "f3"}};
        for (const auto& move : moves) {
            clickSquare(window, move[0]);
            clickSquare(window, move[1]);
        }
        clickSquare(window, "f1");  // a selection with its reachable squares
        save(window, out + "/screenshot-game.png");
    }
    {
        // The widest texts the panel holds: the mating move marked as the
        // last one, and the search figures at their largest (every digit of
        // the node count, two-digit depths, the tree of the full count).
        GameWindow window(dialogs, locations);
        window.runCommand(cmd::kModeHumanHuman);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        const char* moves[][2] = {{"f2", "f3"}, {"e7", "e5"}, {"g2", "g4"}, {"d8", "h4"}};
        for (const auto& move : moves) {
            clickSquare(window, move[0]);
            clickSquare(window, move[1]);
        }
        SearchStatus& status = window.controller().status();
        status.nodesCreated = 4294967295u;
        status.entriesFreed = 0;
        status.mainDepthShown = 10;
        status.secondaryDepthShown = 10;
        window.repaintAll();
        save(window, out + "/screenshot-figures.png");
    }
    {
        GameWindow window(dialogs, locations);
        window.controller().engineOptions().maxDepthMain = 3;
        window.runCommand(cmd::kPieceSet2);
        window.runCommand(cmd::kAlgebraic);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        window.runCommand(cmd::kComputerFirst);
        const char* moves[][2] = {{"e7", "e5"}, {"b8", "c6"}};
        for (const auto& move : moves) {
            clickSquare(window, move[0]);
            clickSquare(window, move[1]);
        }
        save(window, out + "/screenshot-black.png");
        window.runCommand(cmd::kPieceSet3);
        window.runCommand(cmd::kTurnBoard);
        save(window, out + "/screenshot-turned.png");
    }
    return 0;
}
