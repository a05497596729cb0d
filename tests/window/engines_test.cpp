// The computer's side played by an engine of another program, in the real
// window against the scripted engine (and Stockfish where it is installed):
// the menu "Adversaire", adding and managing engines, the strength and the
// time it is given, its lines on the panel, and each of its faults said with
// the game left as it was, no process left behind.

#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../uci/child_processes.h"
#include "features/add_engine_dialog.h"
#include "features/engine_list_dialog.h"
#include "features/engine_options_dialog.h"
#include "features/engine_strength_dialog.h"
#include "storage/game_file.h"
#include "uci/game_for_engine.h"
#include "window/command_guard.h"
#include "window/command_ids.h"
#include "window/engine_menu.h"
#include "window/level_commands.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using namespace std::chrono_literals;
using Role = EngineOpponents::Role;

class Engines : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // Short, so that the faults show quickly; generous for a loaded machine.
        EngineTimeouts t;
        t.handshake = 2000ms;
        t.ready = 2000ms;
        t.searchGrace = 300ms;
        t.stopGrace = 1500ms;
        t.quitGrace = 300ms;
        t.termGrace = 300ms;
        opponents().setTimeouts(t);
        opponents().load(listPath(), {});
        logPath = path("engine.log").toStdString();
    }
    void TearDown() override {
        WindowTest::TearDown();
        // Destroying the window ends and reaps every engine it started.
        EXPECT_TRUE(test::childProcesses().empty());
    }

    EngineOpponents& opponents() { return controller().opponents(); }
    std::string listPath() const { return configFile("moteurs.ini").toStdString(); }

    // An engine of the list, not tried (a fault may be wanted at its start),
    // named so that the messages are known; its lines go to the log.
    int listFake(const std::string& name, std::vector<std::string> arguments) {
        EngineChoices choices = opponents().choices();
        EngineEntry entry;
        entry.name = name;
        entry.renamed = true;
        entry.program = QUORVEL_FAKE_ENGINE;
        arguments.push_back("log=" + logPath);
        entry.arguments = std::move(arguments);
        choices.engines.push_back(entry);
        opponents().replaceList(choices);
        return static_cast<int>(opponents().choices().engines.size());
    }
    int chooseFake(const std::string& name, std::vector<std::string> arguments = {}) {
        const int choice = listFake(name, std::move(arguments));
        window->runCommand(cmd::kOpponentFirst + choice);
        return choice;
    }
    std::string engineLog() const {
        std::ifstream in(logPath);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QAction* menuAction(int id) { return window->engineMenu().action(id); }
    static bool waitFor(const std::function<bool()>& done, int ms = 10000) {
        return QTest::qWaitFor(done, ms);
    }
    // Runs `act` on the window thread once the engine's search is under way.
    void whileTheEngineThinks(std::function<void()> act) {
        auto* probe = new QTimer(window.get());
        QObject::connect(probe, &QTimer::timeout, window.get(), [this, probe, act] {
            if (!controller().engineThinking()) return;
            probe->stop();
            probe->deleteLater();
            act();
        });
        probe->start(20);
    }

    // Runs `act` on the next modal dialog once it shows: the engine may be
    // asked something first, in a loop of its own.
    template <class Act>
    void onNextModal(Act act) {
        auto* poll = new QTimer(window.get());
        QObject::connect(poll, &QTimer::timeout, window.get(), [poll, act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        });
        poll->start(10);
    }

    std::string logPath;
};

TEST_F(Engines, TheMenuListsQuorvelFirstThenTheEnginesAndShowsAnAbsentOneDisabled) {
    std::ofstream(listPath()) << "opponent=0\n"
                                 "engine.1.name=Faux\nengine.1.program=" QUORVEL_FAKE_ENGINE
                                 "\n"
                                 "engine.2.name=Parti\nengine.2.program=/nulle/part/moteur\n"
                                 "engine.3.name=Retiré\nengine.3.program=" QUORVEL_FAKE_ENGINE
                                 "\nengine.3.origin=found\nengine.3.removed=1\n";
    opponents().load(listPath(), {});
    QStringList titles;
    for (QAction* a : window->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles.indexOf("Ad&versaire"), titles.indexOf("Pa&rtie") + 1);

    EXPECT_EQ(menuAction(cmd::kOpponentFirst)->text(), "Quorvel (moteur intégré)");
    EXPECT_TRUE(menuAction(cmd::kOpponentFirst)->isChecked());
    EXPECT_EQ(menuAction(cmd::kOpponentFirst + 1)->text(), "Faux");
    EXPECT_TRUE(menuAction(cmd::kOpponentFirst + 1)->isEnabled());
    EXPECT_EQ(menuAction(cmd::kOpponentFirst + 2)->text(), "Parti (absent)");
    EXPECT_TRUE(menuAction(cmd::kOpponentFirst + 2)->isVisible());
    EXPECT_FALSE(menuAction(cmd::kOpponentFirst + 2)->isEnabled());
    EXPECT_FALSE(menuAction(cmd::kOpponentFirst + 3)->isVisible());
    EXPECT_FALSE(menuAction(cmd::kEngineStrength)->isEnabled());
    // The same list for each side of "Ordinateur / Ordinateur".
    EXPECT_EQ(menuAction(cmd::kBlackEngineFirst + 1)->text(), "Faux");

    menuAction(cmd::kOpponentFirst + 1)->trigger();
    EXPECT_TRUE(menuAction(cmd::kOpponentFirst + 1)->isChecked());
    EXPECT_FALSE(menuAction(cmd::kOpponentFirst)->isChecked());
    EXPECT_TRUE(menuAction(cmd::kEngineStrength)->isEnabled());
    menuAction(cmd::kWhiteEngineFirst + 1)->trigger();
    // Kept for the next run.
    const EngineListRead read = readEngineList(listPath());
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.choices.opponent, 1);
    EXPECT_EQ(read.choices.white, 1);
    EXPECT_EQ(read.choices.black, 0);
}

TEST_F(Engines, AnEngineIsAddedThroughTheFileDialogAndNamedFromWhatItSays) {
    dialogs.fileNames.push_back(QString(QUORVEL_FAKE_ENGINE));
    onNextModal([](QDialog& dialog) {
        auto* add = qobject_cast<AddEngineDialog*>(&dialog);
        ASSERT_TRUE(add);
        add->setArgumentsText("'name=Mon Moteur 2.0' no-skill");
        add->pressOk();
    });
    window->runCommand(cmd::kAddEngine);
    ASSERT_EQ(opponents().choices().engines.size(), 1u);
    const EngineEntry& added = opponents().choices().engines[0];
    EXPECT_EQ(added.name, "Mon Moteur 2.0");
    EXPECT_EQ(added.arguments, (std::vector<std::string>{"name=Mon Moteur 2.0", "no-skill"}));
    EXPECT_EQ(added.eloRange, (std::pair{1320, 3190}));
    EXPECT_FALSE(added.skillRange);
    EXPECT_EQ(opponents().chosen(Role::opponent), 1);
    EXPECT_EQ(menuAction(cmd::kOpponentFirst + 1)->text(), "Mon Moteur 2.0");
    EXPECT_EQ(readEngineList(listPath()).choices.engines.size(), 1u);
    EXPECT_TRUE(dialogs.boxes.empty());

    // A program that does not answer is said, and not added.
    dialogs.fileNames.push_back(QString(QUORVEL_FAKE_ENGINE));
    onNextModal([](QDialog& dialog) {
        static_cast<AddEngineDialog&>(dialog).setArgumentsText("no-uciok");
        static_cast<AddEngineDialog&>(dialog).pressOk();
    });
    window->runCommand(cmd::kAddEngine);
    EXPECT_EQ(dialogs.lastText(), "Le moteur fake_engine ne répond pas");
    EXPECT_EQ(opponents().choices().engines.size(), 1u);

    // Arguments that don't read are refused before anything starts.
    dialogs.fileNames.push_back(QString(QUORVEL_FAKE_ENGINE));
    onNextModal([](QDialog& dialog) {
        static_cast<AddEngineDialog&>(dialog).setArgumentsText("'name=Sans fin");
        static_cast<AddEngineDialog&>(dialog).pressOk();
    });
    window->runCommand(cmd::kAddEngine);
    EXPECT_EQ(dialogs.lastText(), "Les arguments ne se lisent pas : un guillemet n'est pas fermé.");
    EXPECT_EQ(opponents().choices().engines.size(), 1u);
}

// The dialog shows the one control the engine offers, in order.
TEST_F(Engines, TheStrengthDialogShowsOnlyWhatTheEngineOffers) {
    struct Row {
        std::vector<std::string> arguments;
        EngineStrengthDialog::Control control;
        int low, high;
    };
    const Row rows[] = {
        {{}, EngineStrengthDialog::Control::elo, 1320, 3190},
        {{"no-elo"}, EngineStrengthDialog::Control::skillLevel, 0, 20},
        {{"no-elo", "no-skill"}, EngineStrengthDialog::Control::moveTime, 1, 300},
    };
    for (const Row& row : rows) {
        chooseFake("Réglable", row.arguments);
        bool shown = false;
        onNextModal([&](QDialog& dialog) {
            auto& strength = static_cast<EngineStrengthDialog&>(dialog);
            shown = true;
            EXPECT_EQ(strength.control(), row.control);
            EXPECT_EQ(strength.spinBox()->minimum(), row.low);
            EXPECT_EQ(strength.spinBox()->maximum(), row.high);
            if (strength.checkBox()) strength.checkBox()->setChecked(true);
            strength.spinBox()->setValue(row.low + 1);
            strength.pressOk();
        });
        window->runCommand(cmd::kEngineStrength);
        EXPECT_TRUE(shown);
        const EngineStrength& s = opponents().choices().engines.back().strength;
        EXPECT_EQ(row.control == EngineStrengthDialog::Control::elo          ? s.elo
                  : row.control == EngineStrengthDialog::Control::skillLevel ? s.skillLevel
                                                                             : s.moveSeconds,
                  row.low + 1);
    }
}

TEST_F(Engines, ItPlaysTheComputersSideAtItsStrengthWithTheGamesTime) {
    const int choice = chooseFake("Faux");
    EngineStrength strength;
    strength.elo = 1600;
    opponents().setStrength(choice, strength);
    playChess("e2", "e4");
    ASSERT_EQ(record().plyCount, 2);
    EXPECT_FALSE(cell(1).isEmpty());
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.lastText().toStdString();

    const std::string log = engineLog();
    const std::size_t go = log.find("< go");
    ASSERT_NE(go, std::string::npos) << log;
    EXPECT_LT(log.find("< setoption name UCI_LimitStrength value true"), go);
    EXPECT_LT(log.find("< setoption name UCI_Elo value 1600"), go);
    EXPECT_NE(log.find("< position startpos moves e2e4\n< go movetime 17000"), std::string::npos) << log;

    // Its figures on the panel, its move on the status line, and the
    // recovery file holding both moves.
    EXPECT_EQ(window->layout().nodes->text(), "4242");
    EXPECT_EQ(window->layout().depth->text(), "3  |  5");
    EXPECT_TRUE(shownStatus().startsWith("Faux : ")) << shownStatus().toStdString();
    GameRecord recovered;
    ASSERT_EQ(readGameFile(dataFile("partie.tmp").toStdString(), recovered), GameFileError::none);
    EXPECT_EQ(recovered.plyCount, 2);

    // The next move continues the game: no "ucinewgame" in between.
    controller().limits() = {1, 2};
    playChess("d2", "d4");
    ASSERT_EQ(record().plyCount, 4);
    const std::string later = engineLog();
    EXPECT_EQ(later.find("ucinewgame", go), std::string::npos);
    EXPECT_NE(later.find("go movetime 3000"), std::string::npos);
}

TEST_F(Engines, WithTheThinkingShownTheLineAndScoreAreWrittenInThePlayersNotation) {
    chooseFake("Faux");
    controller().status().showThinking = true;
    controller().display().algebraic = true;
    playChess("e2", "e4");
    ASSERT_EQ(record().plyCount, 2);
    const QString status = shownStatus();
    EXPECT_TRUE(status.startsWith("Faux : ")) << status.toStdString();
    EXPECT_TRUE(status.contains("note finale des Noirs : 0.12")) << status.toStdString();
}

// Each fault has its message; the game, the move list and the recovery file
// stay as they were, and the engine's process is gone (or, after an illegal
// move, still usable).
TEST_F(Engines, EachFaultIsSaidAndTheGameStaysAsItWas) {
    controller().limits() = {1, 1};
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        QString message;
        bool quorvelPlays;  // the engine can't play this game: Quorvel's own plays instead
    };
    const Row rows[] = {
        {"Absent", {"crash-at-start"}, "Le moteur Absent ne répond pas", true},
        {"Muet", {"no-uciok"}, "Le moteur Muet ne répond pas", true},
        {"Sorti", {"exit-on-go=1"}, "Le moteur Sorti s'est arrêté", false},
        {"Planté", {"crash-on-go=1"}, "Le moteur Planté s'est arrêté", false},
        {"Tricheur", {"illegal-on-go=1"}, "Coup illégal du moteur Tricheur : e2e5", false},
        {"Confus", {"malformed-on-go=1"}, "Coup illégal du moteur Confus : (aucun coup)", false},
        {"Figé",
         {"hang-on-go=1"},
         "Le moteur Figé n'a pas joué dans le temps donné : il a été arrêté",
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        controller().resetForNewGame();
        controller().repaint();
        chooseFake(row.name, row.arguments);
        dialogs.boxes.clear();
        playChess("e2", "e4");
        ASSERT_FALSE(dialogs.boxes.empty());
        EXPECT_EQ(dialogs.boxes.front().text, row.message);
        EXPECT_EQ(dialogs.boxes.front().caption, "Erreur Quorvel 1.0");
        EXPECT_EQ(record().plyCount, row.quorvelPlays ? 2 : 1);
        EXPECT_EQ(record().recordLength, row.quorvelPlays ? 2 : 1);
        // The player's move is kept; the engine's, if any, never is.
        GameRecord recovered;
        ASSERT_EQ(readGameFile(dataFile("partie.tmp").toStdString(), recovered), GameFileError::none);
        EXPECT_EQ(recovered.plyCount, row.quorvelPlays ? 2 : 1);
        EXPECT_FALSE(controller().computerBusy());
        if (row.arguments.front() != "illegal-on-go=1" && row.arguments.front() != "malformed-on-go=1") {
            EXPECT_TRUE(waitFor([] { return test::childProcesses().empty(); })) << "a process was left";
        }
        if (!row.quorvelPlays) {
            // The player goes on with another engine: Quorvel's own.
            EXPECT_TRUE(shownStatus().startsWith("Partie en attente"));
            window->runCommand(cmd::kOpponentFirst);
            window->runCommand(cmd::kComputerFirst);
            EXPECT_EQ(record().plyCount, 2);
        }
    }
    // An engine that could not start is tried again in the next game.
    EXPECT_TRUE(waitFor([] { return test::childProcesses().empty(); }));
}

TEST_F(Engines, StopPlaysTheBestMoveTheEngineHasFound) {
    chooseFake("Lent", {"think=60000"});
    whileTheEngineThinks([this] { window->runCommand(cmd::kStopSearch); });
    playChess("e2", "e4");
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_NE(engineLog().find("< stop"), std::string::npos);
}

// The commands that replace the game or the player's side drop the
// engine's search ("stop", its late answer ignored) and run.
TEST_F(Engines, ReplacingTheGameWhileTheEngineThinksDropsItsSearch) {
    struct Row {
        const char* what;
        int command;
        int plyCount;  // after the command
        bool playerIsBlack;
    };
    const Row rows[] = {
        {"new game", cmd::kNewGame, 0, false},
        {"take back", cmd::kTakeBack, 0, false},
        {"the other side", cmd::kSideBlack, 1, true},
    };
    chooseFake("Lent", {"think=60000"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        controller().resetForNewGame();
        controller().repaint();
        EXPECT_EQ(commandVerdict(row.command, {true, false, true}), CommandVerdict::endEngineSearchThenRun);
        whileTheEngineThinks([this, &row] {
            EXPECT_TRUE(window->menu().action(row.command) == nullptr ||
                        window->menu().action(row.command)->isEnabled());
            window->runCommand(row.command);
        });
        playChess("e2", "e4");
        // The command runs once the dropped search has unwound.
        ASSERT_TRUE(waitFor([&] {
            return !controller().computerBusy() && record().plyCount == row.plyCount &&
                   record().playerIsBlack == row.playerIsBlack;
        }));
        // Its late answer, if any, is not played.
        QTest::qWait(100);
        EXPECT_EQ(record().plyCount, row.plyCount);
        EXPECT_TRUE(dialogs.lastText().isEmpty() || dialogs.lastText().startsWith("Voulez-vous"));
    }
    // Answered "Non": the game is as it was, and the engine thinks again.
    window->runCommand(cmd::kSideWhite);
    chooseFake("Patient", {"think=1000"});
    controller().resetForNewGame();
    controller().repaint();
    dialogs.answers.push_back(BoxAnswer::no);
    whileTheEngineThinks([this] { window->runCommand(cmd::kNewGame); });
    playChess("e2", "e4");
    ASSERT_TRUE(waitFor([&] { return record().plyCount == 2 && !controller().computerBusy(); }));
    const std::string log = engineLog();
    std::size_t searches = 0;
    for (std::size_t at = log.find("< go"); at != std::string::npos; at = log.find("< go", at + 1))
        ++searches;
    EXPECT_GE(searches, 2u);
}

TEST_F(Engines, QuittingWhileTheEngineThinksLeavesNoProcessAndTheGameAsItWas) {
    chooseFake("Lent", {"think=60000", "ignore-quit"});
    whileTheEngineThinks([this] { window->runCommand(cmd::kQuit); });
    playChess("e2", "e4");
    EXPECT_EQ(record().plyCount, 1);
    GameRecord recovered;
    ASSERT_EQ(readGameFile(dataFile("partie.tmp").toStdString(), recovered), GameFileError::none);
    EXPECT_EQ(recovered.plyCount, 1);
    window.reset();
    EXPECT_TRUE(test::childProcesses().empty());
}

TEST_F(Engines, JunkLongLinesAndFloodsHoldNeitherTheEngineNorTheWindow) {
    chooseFake("Bavard", {"junk", "long-line=300000", "flood=20000", "stderr-flood=200000"});
    int ticks = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticks; });
    ticking.start(10);
    playChess("e2", "e4");
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.lastText().toStdString();
    // The window's own timers kept running meanwhile.
    EXPECT_GT(ticks, 0);
    const auto game = gameForEngine(record());
    ASSERT_TRUE(game);
    EXPECT_EQ(game->moves.size(), 2u);
}

// In "Ordinateur / Ordinateur" each side has its own engine: here Quorvel's
// own plays White, the scripted one Black, and is asked only Black's moves.
TEST_F(Engines, ComputerAgainstComputerGivesEachSideItsOwnEngine) {
    const int fake = listFake("Noir", {});
    window->runCommand(cmd::kBlackEngineFirst + fake);
    window->runCommand(cmd::kWhiteEngineFirst);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [this] {
        if (record().plyCount >= 6) window->runCommand(cmd::kModeComputerHuman);
    });
    watch.start(20);
    window->runCommand(cmd::kModeComputerComputer);
    watch.stop();
    ASSERT_GE(record().plyCount, 6);
    const auto game = gameForEngine(record());
    ASSERT_TRUE(game);
    std::istringstream log(engineLog());
    int asked = 0;
    for (std::string line; std::getline(log, line);) {
        if (line.rfind("< position startpos moves", 0) != 0) continue;
        ++asked;
        const auto words = std::count(line.begin(), line.end(), ' ') - 3;
        EXPECT_EQ(words % 2, 1) << line;  // White has moved: Black to move
    }
    EXPECT_EQ(asked, record().plyCount / 2);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Engines, TheExtraDisplaysSayTheyBelongToQuorvelsOwnEngine) {
    chooseFake("Autre");
    bool checked = false;
    onNextModal([&](QDialog& dialog) {
        auto& options = static_cast<EngineOptionsDialog&>(dialog);
        const auto boxes = options.findChildren<QCheckBox*>();
        ASSERT_FALSE(boxes.empty());
        EXPECT_FALSE(boxes.front()->isEnabled());
        bool said = false;
        for (const QLabel* label : options.findChildren<QLabel*>())
            said = said || label->text().contains("moteur intégré : Autre");
        EXPECT_TRUE(said);
        checked = true;
        options.pressCancel();
    });
    window->runCommand(cmd::kEngineOptions);
    EXPECT_TRUE(checked);
}

TEST_F(Engines, ADamagedListIsSaidAndQuorvelsOwnEnginePlays) {
    std::ofstream(listPath()) << "opponent=4\nengine.1.name=Sans programme\nengine.2.program=/a\n";
    opponents().load(listPath(), {});
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.lastText().startsWith("Le fichier 'moteurs.ini' est endommagé"))
        << dialogs.lastText().toStdString();
    EXPECT_EQ(opponents().chosen(Role::opponent), 0);
    EXPECT_EQ(opponents().choices().engines.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(listPath() + ".endommage"));
    playChess("e2", "e4");
    EXPECT_EQ(record().plyCount, 2);
}

TEST_F(Engines, ManagingTheListRenamesAndRemoves) {
    listFake("Premier", {});
    window->runCommand(cmd::kOpponentFirst + listFake("Second", {}));
    onNextModal([this](QDialog& dialog) {
        auto& list = static_cast<EngineListDialog&>(dialog);
        EXPECT_EQ(list.rowCount(), 2);
        list.selectRow(0);
        list.setNameText("");
        EXPECT_FALSE(list.pressRename());
        EXPECT_EQ(dialogs.lastText(), "Tapez un nom.");
        list.setNameText("Mon premier");
        EXPECT_TRUE(list.pressRename());
        list.selectRow(1);
        list.pressRemove();
        EXPECT_EQ(list.rowCount(), 1);
        list.pressOk();
    });
    window->runCommand(cmd::kManageEngines);
    ASSERT_EQ(opponents().choices().engines.size(), 1u);
    EXPECT_EQ(opponents().choices().engines[0].name, "Mon premier");
    EXPECT_EQ(opponents().chosen(Role::opponent), 0);
    EXPECT_EQ(menuAction(cmd::kOpponentFirst + 1)->text(), "Mon premier");
    EXPECT_FALSE(menuAction(cmd::kOpponentFirst + 2)->isVisible());
}

// The levels above Quorvel's own: a known engine (here the scripted one
// under Stockfish's name) at a given UCI_Elo, in one call.
TEST_F(Engines, AKnownEngineIsMadeTheOpponentAtAnEloInOneCall) {
    const std::string link = path("stockfish").toStdString();
    std::filesystem::create_symlink(QUORVEL_FAKE_ENGINE, link);
    opponents().load(listPath(), {KnownEngine{"stockfish", {link, {"log=" + logPath}}}});
    EXPECT_FALSE(opponents().playKnownEngineAtElo("toga2", 1500));
    EXPECT_EQ(opponents().eloRange("stockfish"), (std::pair{1320, 3190}));
    ASSERT_TRUE(opponents().playKnownEngineAtElo("stockfish", 1400));
    EXPECT_TRUE(opponents().playsKnownEngineAtElo("stockfish", 1400));
    EXPECT_FALSE(opponents().playsKnownEngineAtElo("stockfish", 1500));
    // Below its range, brought within it.
    ASSERT_TRUE(opponents().playKnownEngineAtElo("stockfish", 1000));
    EXPECT_TRUE(opponents().playsKnownEngineAtElo("stockfish", 1320));
    playChess("e2", "e4");
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_NE(engineLog().find("< setoption name UCI_Elo value 1320"), std::string::npos);
    opponents().playBuiltInEngine();
    EXPECT_EQ(opponents().chosen(Role::opponent), 0);
}

// "Niveau 9" and up: the ladder engine (the scripted one under Stockfish's
// name, offering UCI_Elo 1320..3190) at each step, absent without it.
TEST_F(Engines, TheLevelsGoOnWithStockfishWhereItIsInstalled) {
    QAction* nine = window->menu().action(cmd::kLevelFirst + 8);
    ASSERT_NE(nine, nullptr);
    window->levels().showLadder(window->menu(), true);
    EXPECT_FALSE(nine->isVisible());
    EXPECT_TRUE(window->levels().ladder().empty());

    const std::string link = path("stockfish").toStdString();
    std::filesystem::create_symlink(QUORVEL_FAKE_ENGINE, link);
    opponents().load(listPath(), {KnownEngine{"stockfish", {link, {"log=" + logPath}}}});
    window->levels().showLadder(window->menu(), true);
    EXPECT_EQ(window->levels().ladder(),
              (std::vector<int>{1400, 1600, 1800, 2000, 2200, 2400, 2600, 2800, 3000, 3190}));
    EXPECT_TRUE(nine->isVisible());
    EXPECT_EQ(nine->text(), "Niveau 9 (1400 Elo)");
    EXPECT_EQ(window->menu().action(cmd::kLevelFirst + 17)->text(), "Niveau 18 (3190 Elo)");
    EXPECT_FALSE(window->menu().action(cmd::kLevelFirst + 18)->isVisible());

    window->runCommand(cmd::kLevelFirst + 9);  // "Niveau 10 (1600 Elo)"
    EXPECT_EQ(window->levels().level(), 10);
    EXPECT_TRUE(window->menu().action(cmd::kLevelFirst + 9)->isChecked());
    EXPECT_TRUE(opponents().playsKnownEngineAtElo("stockfish", 1600));
    playChess("e2", "e4");
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_NE(engineLog().find("< setoption name UCI_Elo value 1600"), std::string::npos);
    EXPECT_NE(engineLog().find("< setoption name UCI_LimitStrength value true"), std::string::npos);

    // Another opponent chosen by hand leaves the level; a level of
    // Quorvel's own brings its engine back.
    window->runCommand(cmd::kOpponentFirst);
    EXPECT_EQ(window->levels().level(), kCustomLevel);
    window->runCommand(cmd::kLevelFirst + 8);
    EXPECT_EQ(window->levels().level(), 9);
    window->runCommand(cmd::kLevelFirst + 2);
    EXPECT_EQ(window->levels().level(), 3);
    EXPECT_EQ(opponents().chosen(Role::opponent), 0);
    window->runCommand(cmd::kOpponentFirst + 1);
    EXPECT_EQ(window->levels().level(), kCustomLevel);

    // Kept between runs: in force again while Stockfish plays at its step.
    window->runCommand(cmd::kLevelFirst + 8);
    window->levels().restore(9);
    EXPECT_EQ(window->levels().level(), kCustomLevel);
    window->levels().showLadder(window->menu(), false);
    EXPECT_EQ(window->levels().level(), 9);
}

// The real Stockfish, where it is installed: a few moves at UCI_Elo 1500.
TEST_F(Engines, StockfishAtALimitedStrengthPlaysLegalMoves) {
    const auto found = findKnownEngines();
    const bool there = std::any_of(found.begin(), found.end(),
                                   [](const KnownEngine& k) { return k.program == "stockfish"; });
    if (!there) GTEST_SKIP() << "stockfish is not installed";
    opponents().load(listPath(), found);
    ASSERT_TRUE(opponents().playKnownEngineAtElo("stockfish", 1500));
    controller().limits() = {1, 0};
    playChess("e2", "e4");
    playChess("g1", "f3");
    EXPECT_EQ(record().plyCount, 4);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.lastText().toStdString();
    ASSERT_TRUE(gameForEngine(record()));
    EXPECT_TRUE(QString::fromStdString(opponents().choices().engines[0].name).startsWith("Stockfish"));
    EXPECT_TRUE(shownStatus().startsWith("Stockfish")) << shownStatus().toStdString();
}

}  // namespace
}  // namespace quorvel::testing
