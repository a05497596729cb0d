// Two whole games in the window against installed engines, with a picture of
// each at its end (docs/engine-*.png). Not a test: run it under a display.
//   engine_gallery <output folder>
// 1. The player (its moves asked of Stockfish at full strength, 100 ms a
//    move, and played by mouse clicks on the board) against Stockfish at
//    UCI_Elo 1500.
// 2. "Ordinateur / Ordinateur": Quorvel's own engine (White) against GNU
//    Chess (Black), two seconds a move.
// Each game's moves and result are printed.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "features/fake_dialog_service.h"
#include "features/file_locations.h"
#include "uci/game_for_engine.h"
#include "uci/known_engines.h"
#include "uci/sync_engine.h"
#include "window/board_geometry.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/game_window.h"
#include "gallery_click.h"

using namespace quorvel;

namespace {

using Role = EngineOpponents::Role;

void report(GameWindow& window, const char* title) {
    const auto game = gameForEngine(window.controller().state().record);
    std::printf("%s\n  moves:", title);
    if (game)
        for (const std::string& move : game->moves) std::printf(" %s", move.c_str());
    std::printf("\n  plies: %d\n  result: %s\n  status: %s\n\n", window.controller().state().record.plyCount,
                window.controller().resultText().toUtf8().constData(),
                window.controller().state().statusText.simplified().toUtf8().constData());
    std::fflush(stdout);
}

int choiceOf(const EngineOpponents& opponents, const std::string& program) {
    const auto& engines = opponents.choices().engines;
    for (std::size_t k = 0; k < engines.size(); ++k)
        if (engines[k].program.ends_with("/" + program) || engines[k].program == program)
            return static_cast<int>(k) + 1;
    return 0;
}

int againstStockfish(GameWindow& window, const QString& out) {
    GameController& controller = window.controller();
    if (!controller.opponents().playKnownEngineAtElo("stockfish", 1500)) return 1;
    controller.limits() = {1, 1};  // Stockfish thinks two seconds a move
    SyncEngine player(makeUciEngine());
    const auto started = player.start({"/usr/games/stockfish", {}});
    if (!std::holds_alternative<EngineOffers>(started)) return 1;
    while (!controller.gameOver() && controller.state().record.plyCount < 300) {
        const auto game = gameForEngine(controller.state().record);
        if (!game) return 1;
        SearchRequest request;
        request.fen = game->fen;
        request.moves = game->moves;
        request.limits.moveTime = 100;
        const SearchReply reply = player.search(request);
        if (!reply.answer) return 1;
        const std::string& move = reply.answer->move;
        const int before = controller.state().record.plyCount;
        clickSquare(window, move.substr(0, 2));
        clickSquare(window, move.substr(2, 2));  // the engine's reply is played before the click returns
        if (controller.state().record.plyCount == before) {
            std::printf("the click of %s was refused\n", move.c_str());
            break;
        }
    }
    QTest::qWait(300);
    window.grab().save(out + "/engine-stockfish.png");
    report(window, "Player (Stockfish full strength, 100 ms) - Stockfish UCI_Elo 1500 in the window");
    return 0;
}

int quorvelAgainstGnuChess(GameWindow& window, const QString& out, FakeDialogService& dialogs) {
    GameController& controller = window.controller();
    EngineOpponents& opponents = controller.opponents();
    const int gnu = choiceOf(opponents, "gnuchessu");
    if (gnu == 0) return 1;
    dialogs.answers.push_back(BoxAnswer::yes);
    window.runCommand(cmd::kNewGame);
    window.runCommand(cmd::kOpponentFirst);
    window.runCommand(cmd::kWhiteEngineFirst);
    window.runCommand(cmd::kBlackEngineFirst + gnu);
    controller.limits() = {1, 1};  // both sides about two seconds a move
    // A game that goes round in circles is ended after 300 half-moves.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (controller.state().record.plyCount >= 300) window.runCommand(cmd::kModeComputerHuman);
    });
    watch.start(100);
    window.runCommand(cmd::kModeComputerComputer);
    watch.stop();
    QTest::qWait(300);
    window.grab().save(out + "/engine-gnuchess.png");
    report(window, "Quorvel (White) - GNU Chess (Black), Ordinateur / Ordinateur");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir folder;
    FileLocations locations = FileLocations::under(folder.path());
    FakeDialogService dialogs;
    GameWindow window(dialogs, locations);
    window.prepareUserFolders();
    window.controller().opponents().load((folder.path() + "/moteurs.ini").toStdString(), findKnownEngines());
    window.runCommand(cmd::kShowThinking);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    int failed = againstStockfish(window, out);
    failed += quorvelAgainstGnuChess(window, out, dialogs);
    for (const auto& box : dialogs.boxes) std::printf("box: %s\n", box.text.toUtf8().constData());
    return failed;
}
