// Pictures of the coach for people to look at (docs/coach-*.png), made with
// Quorvel's own engine as the analyst and the program's real boxes: a hint
// on the board, the warning after a queen left hanging (then "Reprendre le
// coup" pressed), and the review of a short game. Not a test: run it under
// a display (tools/coach_gallery.sh).
//   coach_gallery <output folder>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "features/file_locations.h"
#include "features/qt_dialog_service.h"
#include "features/review_window.h"
#include "storage/pgn_import.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/game_window.h"
#include "window/startup.h"
#include "gallery_click.h"

using namespace quorvel;

namespace {

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 120000);
}

// The screen around the window and whatever box stands over it.
void saveScreen(const QRect& area, const QString& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
}

// A trap every club player fell into once: the knight takes a pawn, the
// queen takes the rook's guard, and a bishop blocks the check into mate.
const char* kTrap = "1. e4 e5 2. Nf3 Nc6 3. Bc4 Nd4 4. Nxe5 Qg5 5. Nxf7 Qxg2 6. Rf1 Qxe4+ 7. Be2 Nf3# 0-1\n";

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir folder;
    FileLocations locations = FileLocations::under(folder.path());
    QtDialogService dialogs(nullptr, &locations);
    GameWindow window(dialogs, locations);
    window.prepareUserFolders();
    window.controller().engineOptions().maxDepthMain = 4;
    window.controller().limits() = {2, 2};
    window.controller().setTotalMemory(totalPhysicalMemory());
    window.runCommand(cmd::kAlgebraic);
    window.move(40, 40);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    Coach& coach = window.coach();

    // A hint after the first moves.
    clickSquare(window, "e2");
    clickSquare(window, "e4");
    window.runCommand(cmd::kSuggestMove);
    if (!waitFor([&] { return !coach.hinting(); })) return 1;
    QTest::qWait(300);
    window.grab().save(out + "/coach-hint.png");

    // The queen left where a knight takes it; the box, then "Reprendre le coup".
    // The warning is pictured and answered; any other box (the mate's) is
    // closed as a player would.
    bool boxSeen = false;
    QTimer boxWatch;
    boxWatch.setInterval(200);
    QObject::connect(&boxWatch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QAbstractButton* takeBack = nullptr;
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Reprendre le coup")) takeBack = button;
        if (!takeBack) {
            // "Oui" replaces the game in progress by the pasted position.
            QAbstractButton* answer = box->buttons().front();
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == QMessageBox::YesRole) answer = button;
            answer->click();
            return;
        }
        if (boxSeen) return;
        boxSeen = true;
        QTest::qWait(500);
        const QRect area = window.frameGeometry().united(box->frameGeometry()).adjusted(-10, -10, 10, 10);
        saveScreen(area, out + "/coach-warning.png");
        takeBack->click();
    });
    boxWatch.start();
    QGuiApplication::clipboard()->setText(
        QStringLiteral("r1bqkbnr/pppp1p1p/2n3p1/4p3/4P3/5Q2/PPPP1PPP/RNB1KBNR w KQkq - 0 4"));
    // The hint's game is under way: the paste asks first, and the watch answers.
    window.runCommand(cmd::kPasteFen);
    coach.settings().warnings = true;
    clickSquare(window, "f3");
    clickSquare(window, "f6");
    if (!boxSeen) return 2;
    QTest::qWait(300);
    window.grab().save(out + "/coach-taken-back.png");

    // The review of a short game with two blunders.
    window.runCommand(cmd::kModeHumanHuman);
    GameRecord& record = window.controller().state().record;
    const auto games = readPgnGames(kTrap);
    if (games.empty() || importPgnGame(games[0], 1, record)) return 3;
    window.controller().gameReplaced();
    window.repaintAll();
    window.runCommand(cmd::kReviewGame);
    ReviewWindow* review = coach.reviewWindow();
    if (!review) return 4;
    review->move(window.frameGeometry().right() + 20, 40);
    QTest::qWait(2500);
    review->grab().save(out + "/coach-review-progress.png");
    if (!waitFor([&] { return !coach.reviewRunning(); })) return 5;
    // The position after the blunder that lost the rook, chosen in the review.
    Q_EMIT review->plyChosen(9);
    QTest::qWait(300);
    review->grab().save(out + "/coach-review.png");
    window.grab().save(out + "/coach-review-board.png");
    return 0;
}
