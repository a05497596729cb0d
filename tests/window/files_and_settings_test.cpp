// Clocks and thinking-time presets, the file commands and the settings
// kept by the quit sequence.

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <algorithm>

#include "storage/settings_file.h"
#include "window/command_ids.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class ClocksAndFiles : public WindowTest {
protected:
    void tick() { Q_EMIT controller().timers().secondElapsed(); }
    // The next write of `file` meets a full disk: the file is written beside
    // it first, and that temporary file is the device that is always full.
    void diskFullFor(const QString& file) {
        const QString temporary = file + ".nouveau";
        QFile::remove(temporary);
        ASSERT_TRUE(QFile::link("/dev/full", temporary));
    }
    int boxesSaying(const QString& text) const {
        return static_cast<int>(std::count_if(dialogs.boxes.begin(), dialogs.boxes.end(),
                                              [&](const auto& box) { return box.text == text; }));
    }
};

TEST_F(ClocksAndFiles, TheClockOfTheSideToMoveRuns) {
    tick();
    EXPECT_EQ(record().whiteClock, 1);
    EXPECT_EQ(record().blackClock, 0);
    // The human as Black, nobody searching: Black's clock. (The controller's
    // own change of side: the menu's would have the computer play White.)
    controller().setSideBlack();
    tick();
    EXPECT_EQ(record().blackClock, 1);
    // While the computer (White) searches, White's clock.
    play().searchRunning = true;
    tick();
    EXPECT_EQ(record().whiteClock, 2);
    play().searchRunning = false;
    EXPECT_EQ(window->layout().whiteClock->text(), "00:00:02");
    // Between the human's move and the reply only the clock moves.
    const auto counted = play().secondsCounter;
    play().moveAwaitingSearch = true;
    tick();
    EXPECT_EQ(play().secondsCounter, counted);
    EXPECT_EQ(record().blackClock, 2);
    // Between two humans nothing waits for a search: the tick goes on.
    window->runCommand(cmd::kModeHumanHuman);
    tick();
    EXPECT_EQ(play().secondsCounter, counted + 1);
    EXPECT_EQ(record().blackClock, 3);
}

TEST_F(ClocksAndFiles, TheTickEndsTheMainPhaseByTimeAndByMemory) {
    SearchStatus& status = controller().status();
    controller().limits().mainTimeLimit = 2;
    controller().limits().secondaryTimeLimit = 1;
    status.searchSeconds = 0;
    status.mainPhaseOver = false;
    tick();
    tick();
    EXPECT_FALSE(status.mainPhaseOver);
    tick();
    EXPECT_TRUE(status.mainPhaseOver);
    tick();
    EXPECT_FALSE(status.stop);
    tick();
    EXPECT_TRUE(status.stop);

    status.searchSeconds = 0;
    status.secondarySeconds = 0;
    status.mainPhaseOver = false;
    status.stop = false;
    controller().setTotalMemory(3000);
    status.nodesCreated = 200;  // 4800 bytes, more than a third
    status.entriesFreed = 0;
    tick();
    EXPECT_TRUE(status.mainPhaseOver);
    status.nodesCreated = 0;
}

TEST_F(ClocksAndFiles, PresetsSetBothLimitsAndMoveTheCheckMark) {
    EXPECT_TRUE(window->menu().action(32838)->isChecked());  // 10 secondes, the default 9
    window->runCommand(32837);
    EXPECT_EQ(controller().limits().mainTimeLimit, 4);
    EXPECT_EQ(controller().limits().secondaryTimeLimit, 4);
    EXPECT_TRUE(window->menu().action(32837)->isChecked());
    EXPECT_FALSE(window->menu().action(32838)->isChecked());
    window->runCommand(32843);
    EXPECT_EQ(controller().limits().mainTimeLimit, 200);
    EXPECT_EQ(controller().limits().secondaryTimeLimit, 40);
    EXPECT_TRUE(window->menu().action(32843)->isChecked());
    EXPECT_FALSE(window->menu().action(32833)->isChecked());
}

// A click on the choice already in force changes nothing, its mark included
// (Qt flips a checkable entry's mark itself before the command runs).
TEST_F(ClocksAndFiles, ClickingTheChoiceInForceKeepsItsMark) {
    for (const int id : {cmd::kSideWhite, cmd::kModeComputerHuman, 32838}) {
        SCOPED_TRACE(id);
        QAction* choice = window->menu().action(id);
        ASSERT_TRUE(choice->isChecked());
        choice->trigger();
        EXPECT_TRUE(choice->isChecked());
    }
    EXPECT_FALSE(record().playerIsBlack);
}

TEST_F(ClocksAndFiles, SaveSaveAsLoadAndRecover) {
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    playChess("e7", "e5");
    window->files().setGameFileName(path("partie.ech").toStdString());
    window->runCommand(cmd::kSaveGame);
    EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Sauvegarde réussie"));
    EXPECT_EQ(QFileInfo(path("partie.ech")).size(), 24 + 89 * 2);

    dialogs.fileNames.push_back(path("autre"));
    window->runCommand(cmd::kSaveGameAs);
    EXPECT_EQ(QFileInfo(path("autre.ech")).size(), 24 + 89 * 2);
    EXPECT_EQ(window->files().gameFileName(), path("autre.ech").toStdString());

    playChess("g1", "f3");
    dialogs.fileNames.push_back(path("partie.ech"));
    window->runCommand(cmd::kLoadGame);
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_EQ(record().recordLength, 2);
    EXPECT_FALSE(record().playerIsBlack);  // the last entry was Black's: marker of the Black player
    EXPECT_EQ(window->files().gameFileName(), path("autre.ech").toStdString());

    // The recovery file holds the last move played (g1-f3, three half-moves).
    window->runCommand(cmd::kRecoverGame);
    EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Restauration réussie !"));
    EXPECT_EQ(record().plyCount, 3);
}

TEST_F(ClocksAndFiles, DamagedFilesAreSaidDamagedAndLeaveTheGameAsItWas) {
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    playChess("e7", "e5");
    QFile recovery(dataFile("partie.tmp"));
    ASSERT_TRUE(recovery.open(QIODevice::ReadOnly));
    const QByteArray good = recovery.readAll();
    recovery.close();
    ASSERT_EQ(good.size(), 24 + 89 * 2);
    playChess("g1", "f3");
    const GameRecord before = record();

    const int secondBoard = 8 + 2 * 8 + 81;
    auto with = [&](int at, char value) {
        QByteArray bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::pair<const char*, QByteArray> damaged[] = {
        {"one byte short", good.left(good.size() - 1)},
        {"bytes appended", good + QByteArray(5, 'x')},
        {"zeros", QByteArray(50000, '\0')},
        {"a pawn on the last rank", with(secondBoard + squareIndex(1, 8), kUpperPawn)},
        {"a board its move does not lead to", with(secondBoard + squareIndex(5, 5), kEmpty)},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        for (const QString& file : {path("abime.ech"), dataFile("partie.tmp")}) {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
            out.close();
        }
        dialogs.fileNames.push_back(path("abime.ech"));
        const int beeps = dialogs.beeps;
        window->runCommand(cmd::kLoadGame);
        EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Fichier endommagé !"));
        EXPECT_EQ(dialogs.boxes.back().caption, "Erreur Quorvel 1.0");
        EXPECT_EQ(dialogs.beeps, beeps + 1);
        window->runCommand(cmd::kRecoverGame);
        EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Fichier endommagé"));
        EXPECT_EQ(record().plyCount, before.plyCount);
        EXPECT_EQ(record().moves, before.moves);
        EXPECT_EQ(record().current, before.current);
        EXPECT_EQ(record().whiteClock, before.whiteClock);
    }

    dialogs.fileNames.push_back(path("absente.ech"));
    window->runCommand(cmd::kLoadGame);
    EXPECT_EQ(dialogs.lastText(), "Fichier introuvable !");
    QFile::remove(dataFile("partie.tmp"));
    window->runCommand(cmd::kRecoverGame);
    EXPECT_EQ(dialogs.lastText(), "Fichier introuvable");
    EXPECT_EQ(record().plyCount, before.plyCount);

    dialogs.fileNames.push_back(path("absent/dossier/x.ech"));
    window->runCommand(cmd::kSaveGameAs);
    EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Création du fichier impossible !"));
}

TEST_F(ClocksAndFiles, ARecoveryWriteOnAFullDiskIsSaidOnceAndTheGameGoesOn) {
    const QString said = QString::fromUtf8("Impossible d'écrire le fichier de récupération");
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    const qint64 oneMove = 24 + 89;
    ASSERT_EQ(QFileInfo(dataFile("partie.tmp")).size(), oneMove);
    diskFullFor(dataFile("partie.tmp"));
    playChess("e7", "e5");
    EXPECT_EQ(boxesSaying(said), 1);
    EXPECT_EQ(dialogs.boxes.back().caption, "Erreur Quorvel 1.0");
    diskFullFor(dataFile("partie.tmp"));
    playChess("g1", "f3");
    EXPECT_EQ(boxesSaying(said), 1);                               // once
    EXPECT_EQ(record().plyCount, 3);                               // the game went on
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), oneMove);  // the last good file, whole
    playChess("b8", "c6");
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89 * 4);

    // The computer's move is written by the search: a failure there is
    // said too, once the disk had room again in between.
    window->runCommand(cmd::kModeComputerHuman);
    diskFullFor(dataFile("partie.tmp"));
    playChess("f1", "c4");
    ASSERT_EQ(record().plyCount, 6);
    EXPECT_EQ(boxesSaying(said), 2);
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89 * 4);
}

TEST_F(ClocksAndFiles, SettingsThatCantBeWrittenAtQuitAreSaidBeforeTheEnd) {
    diskFullFor(configFile("quorvel.ini"));
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);
    ASSERT_GE(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(
        dialogs.lastText().startsWith(QString::fromUtf8("Impossible d'écrire le fichier 'quorvel.ini'")));
    EXPECT_EQ(dialogs.boxes.back().caption, "Erreur Quorvel 1.0");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFile::exists(configFile("quorvel.ini")));
}

TEST_F(ClocksAndFiles, QuittingWithYesKeepsTheSettingsForTheNextStart) {
    dialogs.answers.push_back(BoxAnswer::no);
    window->runCommand(cmd::kQuit);
    EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Êtes-vous sûr de vouloir quitter Quorvel ?"));
    EXPECT_FALSE(QFile::exists(configFile("quorvel.ini")));
    EXPECT_TRUE(window->isVisible());

    window->runCommand(cmd::kModeHumanHuman);
    window->runCommand(cmd::kPieceSet3);
    window->runCommand(32841);  // 45 secondes
    window->runCommand(cmd::kTurnBoard);
    window->runCommand(cmd::kAlgebraic);
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);
    EXPECT_EQ(QFileInfo(configFile("quorvel.ini")).size(), 183);
    EXPECT_FALSE(window->isVisible());

    GameWindow next(dialogs, *locations);
    next.readSettingsFile();
    const GameController& c = next.controller();
    EXPECT_TRUE(c.state().humanVsHuman);
    EXPECT_EQ(c.display().pieceSet, 40);
    EXPECT_EQ(c.limits().mainTimeLimit, 40);
    EXPECT_EQ(c.limits().secondaryTimeLimit, 20);
    EXPECT_TRUE(c.display().boardTurned);
    EXPECT_TRUE(c.display().algebraic);
    EXPECT_TRUE(next.menu().action(cmd::kModeHumanHuman)->isChecked());
}

TEST_F(ClocksAndFiles, FileCommandsWaitWhileASearchRuns) {
    play().searchRunning = true;
    window->runCommand(cmd::kNewGame);
    window->runCommand(cmd::kSaveGame);
    window->runCommand(cmd::kLoadGame);
    window->runCommand(cmd::kRecoverGame);
    EXPECT_TRUE(dialogs.boxes.empty());
    play().searchRunning = false;
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kNewGame);
    EXPECT_EQ(dialogs.lastText(), "Voulez-vous commencer une nouvelle partie ?");
}

}  // namespace
}  // namespace quorvel::testing
