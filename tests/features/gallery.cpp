// Draws the information dialog (after a real search), the captured-pieces
// window and a printed page into a folder, for people to look at:
//   features_gallery <folder> [<clips folder>]
// The printed page is a PDF; turn it into a picture with pdftoppm.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QPrinter>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/search_driver.h"
#include "engine/system_memory.h"
#include "features/about_dialog.h"
#include "features/captured_pieces_window.h"
#include "features/engine_options_dialog.h"
#include "features/fake_dialog_service.h"
#include "features/game_printer.h"
#include "features/help_window.h"
#include "features/information_dialog.h"
#include "features/promotion_dialog.h"
#include "features/score_layout.h"
#include "features/splash_window.h"
#include "features/time_limits_dialog.h"
#include "features/update_choice_dialog.h"
#include "rules/move_application.h"

namespace {

using namespace quorvel;

// Replays a legal game given in coordinates, the human playing White.
GameRecord replayGame(const std::vector<const char*>& moves) {
    GameRecord record;
    newGame(record);
    bool upper = false;
    for (const char* text : moves) {
        const MoveText move = MoveText::fromString(text);
        replayMoveText(record.current, move, upper);
        recordMove(record, move, packState(record.current, record.state), !upper);
        upper = !upper;
    }
    return record;
}

// The texts of the information dialog after the computer's answer to 1. e4,
// and the explorer's listing for "e7-e5".
std::pair<std::string, std::string> searchReports() {
    GameRecord record = replayGame({"e2-e4"});
    SearchStatus status;
    status.bookPlay = false;
    status.firstPaintDone = true;  // no window to paint first
    SearchDriver driver(status);
    std::string initial;
    std::string explored;
    SearchHooks hooks;
    hooks.showInformation = [&](const std::string& current,
                                const std::string& full) -> std::optional<ExplorerPath> {
        initial = full;
        if (current != full) {
            explored = current;
            return std::nullopt;
        }
        return ExplorerPath{"e7-e5"};
    };
    driver.setHooks(std::move(hooks));
    EngineOptions options;
    options.extraDisplays = true;
    options.maxDepthMain = 4;
    status.searchIdle = false;
    driver.start(record, options, false);
    // Stands in for the window's clock tick.
    const TimeLimits limits{3, 2};
    while (!status.searchIdle) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        accountSearchSecond(status, limits, totalPhysicalMemory());
    }
    driver.wait();
    return {initial, explored};
}

void save(QWidget& widget, const QString& path, int settleMs = 0) {
    widget.show();
    QEventLoop settle;
    QTimer::singleShot(settleMs, &settle, &QEventLoop::quit);
    settle.exec();
    widget.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    const auto [initial, explored] = searchReports();
    InformationDialog information(initial, initial);
    save(information, out.filePath("information.png"));
    InformationDialog explorer(explored, initial);
    explorer.setField(0, "e7-e5");
    save(explorer, out.filePath("information-explorer.png"));

    Position position;
    setInitialPosition(position);
    for (int x : {2, 4, 5}) position.at(x, 2) = kEmpty;  // three white pawns
    position.at(7, 1) = kEmpty;                          // a white knight
    for (int x : {1, 3, 6}) position.at(x, 7) = kEmpty;  // three black pawns
    position.at(4, 8) = kEmpty;                          // the black queen
    position.at(3, 8) = kEmpty;                          // a black bishop
    const QString clips = argc > 2 ? QString::fromLocal8Bit(argv[2]) : out.path();
    CapturedPiecesWindow captured(position, 0, QDir(clips).filePath("pieceprise.avi"));
    save(captured, out.filePath("captured.png"), 1000);

    AboutDialog about(QDir(clips).filePath("apropos.avi"));
    save(about, out.filePath("about.png"), 1000);

    FakeDialogService boxes;
    PromotionDialog promotion(20, false);
    save(promotion, out.filePath("promotion.png"));
    TimeLimitsDialog time(TimeLimits{}, boxes);
    save(time, out.filePath("time-limits.png"));
    EngineOptionsDialog engine(EngineOptions{}, boxes);
    save(engine, out.filePath("engine-options.png"));
    UpdateChoiceDialog update(QString::fromUtf8("La version 1.051 (révision 0) de Quorvel est disponible."),
                              QStringLiteral("http://www.quorvel.fr"));
    save(update, out.filePath("update-choice.png"));
    SplashWindow splash(QDir(clips).filePath("intro.avi"));
    save(splash, out.filePath("splash.png"), 1500);

    HelpWindow help;
    help.showContents();
    save(help, out.filePath("help.png"));

    const GameRecord game = replayGame(
        {"e2-e4", "e7-e5", "g1-f3", "b8-c6", "f1-c4", "f8-c5", "c2-c3", "g8-f6", "d2-d4", "e5xd4", "c3xd4",
         "c5-b4", "b1-c3", "f6xe4", "o-o",   "b4xc3", "d4-d5", "c3-f6", "f1-e1", "c6-e7", "e1xe4", "d7-d6"});
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath("printed.pdf"));
    GamePrinter(boxes).print(printer, printedHalfMoves(game, true));
    std::printf("%s\n", qPrintable(out.filePath("printed.pdf")));
    return 0;
}
