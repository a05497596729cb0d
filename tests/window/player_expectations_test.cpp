// What a player expects of the window besides the rules: the computer plays
// when a change of side hands it the move; a pasted position does not throw
// a game away unasked; a promotion reads as one; the thinking panel keeps
// moves whole; the colour chooser starts from the colour in use; the PGN
// export suggests the game's name and the dialogs' folder is kept between
// runs; a refused click says why; one version number everywhere.

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>

#include "features/program_version.h"
#include "rules/fen.h"
#include "window/command_ids.h"
#include "window/history_navigator.h"
#include "window/mouse_input.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using PlayerExpectations = WindowTest;

// "Changer de camp" by the toolbar or the menu: when the computer then has
// the move it plays it, as after "L'ordinateur joue en premier"; between two
// humans nobody plays for them.
TEST_F(PlayerExpectations, TheComputerPlaysWhenAChangeOfSideHandsItTheMove) {
    struct Case {
        const char* name;
        std::function<void()> before;
        std::function<void()> change;
        int plyAfter;
        bool humanBlackAfter;
    };
    auto menu = [this](int id) { return [this, id] { window->runCommand(id); }; };
    auto toolbar = [this] {
        moveMouse(QPoint(265, 15));
        leftClick(QPoint(265, 15));
    };
    auto nothing = [] {};
    const Case cases[] = {
        {"menu Noirs at the start", nothing, menu(cmd::kSideBlack), 1, true},
        {"toolbar at the start", nothing, toolbar, 1, true},
        {"menu Noirs after a move of each", [this] { playChess("e2", "e4"); }, menu(cmd::kSideBlack), 3,
         true},
        {"menu Blancs as Black, Black to move", [this] { window->runCommand(cmd::kComputerFirst); },
         menu(cmd::kSideWhite), 2, false},
        {"two humans", [this] { window->runCommand(cmd::kModeHumanHuman); }, menu(cmd::kSideBlack), 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->runCommand(cmd::kNewGame);
        window->runCommand(cmd::kModeComputerHuman);
        window->runCommand(cmd::kSideWhite);
        c.before();
        c.change();
        EXPECT_EQ(record().plyCount, c.plyAfter);
        EXPECT_EQ(record().playerIsBlack, c.humanBlackAfter);
        EXPECT_FALSE(play().searchRunning);
        // The move is the human's now (or stays theirs between humans).
        EXPECT_TRUE(controller().humanToMove() || play().humanVsHuman);
    }
}

// Pasting a position starts a new game: a game under way is not thrown away
// without the question; a refused position asks nothing.
TEST_F(PlayerExpectations, PastingAPositionAsksBeforeReplacingAGameInProgress) {
    const QString question =
        QString::fromUtf8("Voulez-vous remplacer la partie en cours par la position collée ?");
    const QString pasted = QStringLiteral("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    struct Case {
        const char* name;
        bool movesPlayed;
        const char* clipboard;
        std::optional<BoxAnswer> answer;  // nullopt: no question expected
        bool replaced;
    };
    const Case cases[] = {
        {"nothing played yet", false, "4k3/8/8/8/8/8/8/4K2R w K - 0 1", std::nullopt, true},
        {"a game, answered Non", true, "4k3/8/8/8/8/8/8/4K2R w K - 0 1", BoxAnswer::no, false},
        {"a game, answered Oui", true, "4k3/8/8/8/8/8/8/4K2R w K - 0 1", BoxAnswer::yes, true},
        {"a game and a refused position", true, "pas une position", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->runCommand(cmd::kModeHumanHuman);
        window->runCommand(cmd::kNewGame);
        if (c.movesPlayed) playChess("e2", "e4");
        const GameRecord before = record();
        dialogs.boxes.clear();
        if (c.answer) dialogs.answers.push_back(*c.answer);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
        window->runCommand(cmd::kPasteFen);
        int questions = 0;
        for (const auto& box : dialogs.boxes) questions += box.text == question;
        EXPECT_EQ(questions, c.answer ? 1 : 0);
        if (c.replaced) {
            EXPECT_EQ(QString::fromStdString(formatFen(record())).section(' ', 0, 0),
                      pasted.section(' ', 0, 0));
        } else {
            EXPECT_EQ(record().moves, before.moves);
            EXPECT_EQ(record().plyCount, before.plyCount);
        }
    }
}

// The move list shows a promotion as one in both notations; the stored text
// and so the game file stay as they were.
TEST_F(PlayerExpectations, TheMoveListShowsAPromotionAsOne) {
    window->runCommand(cmd::kModeHumanHuman);
    QGuiApplication::clipboard()->setText(QStringLiteral("4k3/P7/8/8/8/8/8/4K3 w - - 0 1"));
    window->runCommand(cmd::kPasteFen);
    dialogs.promotions.push_back(kLowerQueen);
    playChess("a7", "a8");
    const int index = record().plyCount - 1;
    ASSERT_GE(index, 0);
    EXPECT_EQ(record().moves[static_cast<std::size_t>(index)].str(), "a7-a8+");
    const int cellIndex = index - play().firstShownRow;
    EXPECT_EQ(cell(cellIndex), ">a7-a8=D+<");
    window->runCommand(cmd::kAlgebraic);
    EXPECT_EQ(cell(cellIndex), ">a8=D+<");
}

// The status line breaks between moves, never inside one, however narrow.
TEST_F(PlayerExpectations, TheThinkingPanelBreaksLinesBetweenMovesOnly) {
    QString report;
    const char* const moves[] = {"e2-e4", "e7-e5", "g1-f3",   "b8-c6", "f1-c4", "g8-f6",
                                 "o-o-o", "d7xe6", "a7-a8=D", "h2-h4", "c7-c5", "d2-d4"};
    for (int round = 0; round < 3; ++round)
        for (const char* move : moves) report += QString::fromLatin1(move) + QStringLiteral("   ");
    play().statusText = report + QStringLiteral("\r\nnote finale des Noirs : -0.25\r\n");
    controller().repaint();
    QPlainTextEdit* status = window->layout().status;
    QApplication::processEvents();
    int lines = 0;
    for (QTextBlock block = status->document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        ASSERT_NE(layout, nullptr);
        for (int i = 0; i < layout->lineCount(); ++i) {
            ++lines;
            const QTextLine line = layout->lineAt(i);
            if (i + 1 == layout->lineCount()) continue;
            // A line that goes on in the next one ends with the blanks
            // between two moves.
            const QString text = block.text().mid(line.textStart(), line.textLength());
            EXPECT_TRUE(text.endsWith(' ')) << text.toStdString();
        }
    }
    EXPECT_GT(lines, 3);  // the report did wrap
    EXPECT_EQ(shownStatus(),
              QString(play().statusText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

TEST_F(PlayerExpectations, TheColourChooserOpensOnTheColourInUse) {
    struct Case {
        int command;
        std::uint32_t DisplayOptions::*colour;
    };
    const Case cases[] = {{cmd::kDarkColour, &DisplayOptions::darkColour},
                          {cmd::kLightColour, &DisplayOptions::lightColour},
                          {cmd::kBorderColour, &DisplayOptions::borderColour}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        dialogs.lastInitialColour.reset();
        window->runCommand(c.command);
        ASSERT_TRUE(dialogs.lastInitialColour);
        EXPECT_EQ(bgrFromColour(*dialogs.lastInitialColour), controller().display().*c.colour);
        // A colour chosen is where the next choice starts.
        dialogs.colours.push_back(QColor(12, 34, 56));
        window->runCommand(c.command);
        window->runCommand(c.command);
        EXPECT_EQ(*dialogs.lastInitialColour, QColor(12, 34, 56));
    }
}

TEST_F(PlayerExpectations, ThePgnExportSuggestsTheGamesOwnName) {
    struct Case {
        const char* gameFile;
        const char* suggested;
    };
    const Case cases[] = {{"g1.ech", "g1.pgn"},
                          {"partie.ech", "partie.pgn"},
                          {"/tmp/parties/ma partie.v2.ech", "ma partie.v2.pgn"},
                          {"sans-extension", "sans-extension.pgn"}};
    for (const Case& c : cases) {
        window->files().setGameFileName(c.gameFile);
        window->runCommand(cmd::kExportPgn);  // cancelled by the fake
        EXPECT_EQ(dialogs.lastDefaultName, QString::fromUtf8(c.suggested)) << c.gameFile;
    }
}

TEST_F(PlayerExpectations, TheFileDialogsFolderIsKeptBetweenRuns) {
    const QString chosen = folder->path() + QStringLiteral("/mes parties");
    ASSERT_TRUE(QDir().mkpath(chosen));
    window->locations().rememberChosen(chosen + QStringLiteral("/g1.ech"));
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);

    // The next run has its own file locations, as a new process would.
    FileLocations nextLocations = FileLocations::under(folder->path());
    EXPECT_EQ(nextLocations.dialogStart(QStringLiteral("g2.pgn")),
              QDir(locations->folders().documents).filePath(QStringLiteral("g2.pgn")));
    GameWindow next(dialogs, nextLocations);
    next.readSettingsFile();
    EXPECT_EQ(nextLocations.dialogStart(QStringLiteral("g2.pgn")), chosen + QStringLiteral("/g2.pgn"));

    // A folder gone since gives the documents folder again.
    ASSERT_TRUE(QDir(chosen).removeRecursively());
    EXPECT_EQ(nextLocations.dialogStart(QStringLiteral("g2.pgn")),
              QDir(locations->folders().documents).filePath(QStringLiteral("g2.pgn")));
}

// A click the game can't take says why on the status line, for a few
// seconds; then the line says again what it said.
TEST_F(PlayerExpectations, ARefusedClickSaysWhyBriefly) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
        const char* from;  // first click ("" for none)
        const char* to;    // the refused click
        const char* said;
    };
    const Case cases[] = {
        {"the computer's turn",
         [this] { setFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"); }, "", "d2",
         "Ce n'est pas à vous de jouer"},
        {"looking back through the game",
         [this] {
             playChess("e2", "e4");
             window->runCommand(cmd::kHistoryBack);
         },
         "", "d2", "Position passée : ce n'est pas à vous de jouer ici"},
        {"not one of the player's pieces", [] {}, "", "e7", "Cliquez d'abord sur une de vos pièces"},
        {"a move the piece can't make", [] {}, "e2", "e5", "Mouvement impossible"},
        {"the king left in check", [this] { setFen("4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1"); }, "e2", "d3",
         "Mouvement impossible : votre roi serait en échec"},
        {"castling through check", [this] { setFen("4k3/8/8/8/8/8/5r2/4K2R w K - 0 1"); }, "e1", "g1",
         "Roque impossible : le roi est en échec ou passerait par une case attaquée"},
        {"the game is over", [this] { setFen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"); }, "", "g1",
         "La partie est terminée"},
    };
    controller().setBriefDuration(50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->runCommand(cmd::kNewGame);
        window->runCommand(cmd::kModeComputerHuman);
        window->runCommand(cmd::kSideWhite);
        c.setUp();
        play().statusText = QStringLiteral("avant");
        controller().repaint();
        if (*c.from) clickChess(c.from);
        const int ply = record().plyCount;
        clickChess(c.to);
        EXPECT_EQ(shownStatus(), QString::fromUtf8(c.said));
        EXPECT_EQ(record().plyCount, ply);
        // A refused second click keeps the selection.
        EXPECT_EQ(play().markerOn, *c.from != 0);
        EXPECT_TRUE(QTest::qWaitFor([this] { return shownStatus() == QStringLiteral("avant"); }, 5000));
        window->mouse().onRightButtonDown();
    }
    // A click on the frame, off every square, says nothing.
    play().statusText = QStringLiteral("avant");
    leftClick(QPoint(4, 200));
    EXPECT_EQ(shownStatus(), "avant");
}

TEST_F(PlayerExpectations, TheTitleBarNamesTheProgramsOneVersion) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel version ") + programVersion());
    EXPECT_EQ(programTitle(), QStringLiteral("Quorvel version ") + programVersion());
    // The package's form: major.minor.patch.
    EXPECT_EQ(programVersion().split('.').size(), 3) << programVersion().toStdString();
}

}  // namespace
}  // namespace quorvel::testing
