// PGN export and import and FEN copy and paste through the window's
// commands, and the draws the window announces.

#include <sys/stat.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <memory>

#include "../storage/pgn_samples.h"
#include "rules/fen.h"
#include "rules/record_positions.h"
#include "storage/game_file.h"
#include "storage/pgn_import.h"
#include "window/command_ids.h"
#include "window/format_commands.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class Formats : public WindowTest {
protected:
    void writeFile(const char* name, const std::string& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string readFile(const char* name) {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }
    void importFile(const char* name, std::optional<int> choice = std::nullopt) {
        dialogs.fileNames.push_back(path(name));
        if (choice) dialogs.games.push_back(*choice);
        window->runCommand(cmd::kImportPgn);
    }
    void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        window->runCommand(cmd::kPasteFen);
    }
    QString copied() {
        window->runCommand(cmd::kCopyFen);
        return QGuiApplication::clipboard()->text();
    }
};

// The game played in the window, the engine's replies included, comes back
// from its PGN as the same game file.
TEST_F(Formats, AnExportedGameReadsBackAsTheSameGameFile) {
    playChess("e2", "e4");
    playChess("g1", "f3");
    ASSERT_EQ(record().plyCount, 4);
    dialogs.fileNames.push_back(path("partie"));
    window->runCommand(cmd::kExportPgn);
    EXPECT_EQ(dialogs.lastText(), "Exportation réussie");
    const std::string text = readFile("partie.pgn");
    ASSERT_EQ(text.rfind("[Event \"Partie Quorvel\"]\n", 0), 0u) << text;
    const std::string players =
        "[White \"" + FormatCommands::humanName().toStdString() + "\"]\n[Black \"Quorvel\"]";
    EXPECT_NE(text.find(players), std::string::npos) << text;
    EXPECT_NE(text.find("\n1. e4 "), std::string::npos) << text;

    const auto games = readPgnGames(text);
    ASSERT_EQ(games.size(), 1u);
    auto back = std::make_unique<GameRecord>();
    ASSERT_FALSE(importPgnGame(games[0], 1, *back));
    EXPECT_EQ(gameFileBytes(*back), gameFileBytes(record()));
}

TEST_F(Formats, ImportOffersTheGamesAndPlaysTheChosenOne) {
    writeFile("several.pgn", kSeveralGames);
    importFile("several.pgn", 2);
    ASSERT_EQ(dialogs.lastGameList.size(), 4);
    EXPECT_EQ(dialogs.lastGameList[0], QString::fromUtf8("A \u2013 B, Miniature, 2001.01.01, 0-1"));
    EXPECT_EQ(dialogs.lastGameList[2], QString::fromUtf8("C \u2013 D, Finale, ?, 1/2-1/2"));
    ASSERT_EQ(record().plyCount, 88);
    EXPECT_EQ(formatFen(record()), "8/8/8/5k2/8/8/4N3/4K3 w - - 1 45");
    // The game is over: a knight alone can't mate, and the window says so.
    EXPECT_TRUE(controller().gameOver());
    EXPECT_EQ(shownStatus(), "Partie nulle");
    EXPECT_EQ(dialogs.lastText(), "Matériel insuffisant : partie nulle");
    // A single game needs no choice.
    writeFile("one.pgn", kSiteGame);
    importFile("one.pgn");
    EXPECT_EQ(record().plyCount, 42);
    EXPECT_EQ(cell(7), QString::fromUtf8(">d7-e5<"));
}

TEST_F(Formats, ABadGameACancelOrAMissingFileLeaveTheGameAsItWas) {
    playChess("e2", "e4");
    const std::string before = gameFileBytes(record());
    writeFile("bad.pgn", "[White \"A\"]\n1. e4 e5 2. Nxe4 *\n");
    importFile("bad.pgn");
    EXPECT_EQ(dialogs.boxes.back().caption, errorCaption());
    EXPECT_EQ(dialogs.lastText(), "Coup illégal 2. Cxe4 dans la partie 1");
    EXPECT_EQ(gameFileBytes(record()), before);

    writeFile("several.pgn", kSeveralGames);
    const auto boxes = dialogs.boxes.size();
    importFile("several.pgn");  // the list is cancelled
    EXPECT_EQ(dialogs.boxes.size(), boxes);
    EXPECT_EQ(gameFileBytes(record()), before);

    importFile("nowhere.pgn");
    EXPECT_EQ(dialogs.lastText(), "Fichier introuvable !");
    // Neither a folder nor a pipe is read: the pipe would wait for a writer.
    ASSERT_EQ(mkfifo(path("pipe.pgn").toLocal8Bit().constData(), 0600), 0);
    for (const char* notAFile : {"pipe.pgn", "."}) {
        importFile(notAFile);
        EXPECT_EQ(dialogs.lastText(), "Ce n'est pas un fichier PGN : un dossier, un tube ou un périphérique");
    }
    writeFile("empty.pgn", "% nothing here\n");
    importFile("empty.pgn");
    EXPECT_EQ(dialogs.lastText(), "Aucune partie PGN dans ce fichier");
    EXPECT_EQ(gameFileBytes(record()), before);
}

TEST_F(Formats, APastedPositionIsTheSideToMovesAndCopiesBackWithItsCounters) {
    const QString fen = QStringLiteral("6k1/5ppp/8/8/8/8/5PPP/R5K1 b - - 3 41");
    paste(fen);
    EXPECT_TRUE(record().playerIsBlack);
    EXPECT_TRUE(controller().humanToMove());
    EXPECT_EQ(copied(), fen);
    // The set-up position is where stepping back and taking back stop.
    window->history().step(true);
    EXPECT_EQ(record().plyCount, 81);
    playChess("g8", "f8");  // the computer replies
    ASSERT_EQ(record().plyCount, 83);
    EXPECT_TRUE(copied().endsWith(QStringLiteral(" b - - 5 42")) ||
                copied().contains(QStringLiteral(" b - - 0 42")))
        << copied().toStdString();
    window->runCommand(cmd::kTakeBack);
    EXPECT_EQ(record().plyCount, 81);
    EXPECT_EQ(copied(), fen);

    // A position with White to move at move 1 is kept at move 2, where the
    // game file can hold it.
    paste(QStringLiteral("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1"));
    EXPECT_FALSE(record().playerIsBlack);
    EXPECT_EQ(copied(), QStringLiteral("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 2"));
    playChess("a1", "a8");
    EXPECT_EQ(shownStatus(), "Les Blancs gagnent!");
}

TEST_F(Formats, APositionNoGameReachesIsRefused) {
    playChess("e2", "e4");
    const std::string before = gameFileBytes(record());
    paste(QStringLiteral("8/8/8/3kK3/8/8/8/8 w - - 0 1"));
    EXPECT_EQ(dialogs.boxes.back().caption, errorCaption());
    EXPECT_EQ(dialogs.lastText(), "Position refusée : les deux rois se touchent");
    paste(QString());
    EXPECT_EQ(dialogs.lastText(), "Position refusée : la FEN est vide");
    EXPECT_EQ(gameFileBytes(record()), before);
}

TEST_F(Formats, NothingChangesTheGameWhileTheComputerThinks) {
    play().searchRunning = true;
    dialogs.fileNames.push_back(path("x.pgn"));
    window->runCommand(cmd::kImportPgn);
    window->runCommand(cmd::kExportPgn);
    QGuiApplication::clipboard()->setText(QStringLiteral("4k3/8/8/8/8/8/8/4K3 w - - 0 1"));
    window->runCommand(cmd::kPasteFen);
    play().searchRunning = false;
    EXPECT_EQ(dialogs.fileNames.size(), 1u);  // no dialog was opened
    EXPECT_EQ(record().plyCount, 0);
}

struct DrawRow {
    const char* fen;
    const char* from;
    const char* to;
    const char* message;
};

// Each draw ends the game like the repetition did: status, message, clocks
// stopped, and no reply searched.
TEST_F(Formats, TheDrawsOfTheRulesEndTheGame) {
    const DrawRow rows[] = {
        {"4k3/8/8/8/8/8/8/4K2R w - - 99 70", "e1", "d1", "Règle des cinquante coups : partie nulle"},
        {"4k3/8/8/8/8/8/3r4/4K3 w - - 0 30", "e1", "d2", "Matériel insuffisant : partie nulle"},
    };
    for (const DrawRow& row : rows) {
        setFen(row.fen);
        const int before = record().plyCount;
        playChess(row.from, row.to);
        EXPECT_EQ(record().plyCount, before + 1) << row.fen;
        EXPECT_TRUE(controller().gameOver()) << row.fen;
        EXPECT_EQ(shownStatus(), "Partie nulle") << row.fen;
        EXPECT_EQ(dialogs.lastText(), QString::fromUtf8(row.message)) << row.fen;
        EXPECT_FALSE(controller().timers().running()) << row.fen;
    }
    // The same position a third time, the knights of both sides having moved
    // in a different order each time.
    window->runCommand(cmd::kNewGame);
    window->runCommand(cmd::kModeHumanHuman);
    const char* moves[][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"},
                              {"b1", "c3"}, {"b8", "c6"}, {"c3", "b1"}, {"c6", "b8"}};
    for (const auto& move : moves) playChess(move[0], move[1]);
    ASSERT_EQ(record().plyCount, 8);
    EXPECT_EQ(shownStatus(), "Partie nulle");
    EXPECT_EQ(dialogs.lastText(), "Trois fois la même position : partie nulle");
    EXPECT_FALSE(controller().timers().running());
}

TEST_F(Formats, ComputerAgainstComputerEndsOnADraw) {
    // Rook and king against king, one half-move from the fifty-move rule.
    setFen("k7/8/8/8/8/8/8/K6R w - - 99 80");
    window->runCommand(cmd::kModeComputerComputer);
    EXPECT_EQ(record().plyCount, 158 + 1);
    EXPECT_FALSE(play().computerVsComputer);
    EXPECT_EQ(shownStatus(), "Partie nulle");
}

}  // namespace
}  // namespace quorvel::testing
