// The move list, stepping through the history, taking back and reviewing.

#include <QLineEdit>
#include <QTimer>

#include "rules/move_application.h"
#include "storage/game_file.h"
#include "window/command_ids.h"
#include "window/history_navigator.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class History : public WindowTest {
protected:
    // Twelve half-moves between two humans.
    void playTwelve() {
        window->runCommand(cmd::kModeHumanHuman);
        const char* moves[][2] = {{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"},
                                  {"f1", "c4"}, {"f8", "c5"}, {"d2", "d3"}, {"d7", "d6"},
                                  {"b1", "c3"}, {"g8", "f6"}, {"c1", "g5"}, {"h7", "h6"}};
        for (const auto& move : moves) playChess(move[0], move[1]);
        ASSERT_EQ(record().plyCount, 12);
    }
};

TEST_F(History, TwelveHalfMovesShowFromRowFourAndScrollWithinBounds) {
    playTwelve();
    EXPECT_EQ(play().firstShownRow, 4);
    EXPECT_EQ(window->layout().moveNumbers[0]->text(), "3");
    EXPECT_EQ(window->layout().moveNumbers[4]->text(), "7");
    EXPECT_EQ(cell(7), ">h7-h6<");  // half-move 12 in row 4's "Noirs" cell
    EXPECT_EQ(cell(8), " ");
    window->history().scrollList(+1);
    EXPECT_EQ(play().firstShownRow, 4);  // recordLength - 8 reached
    for (int i = 0; i < 4; ++i) window->history().scrollList(-1);
    EXPECT_EQ(play().firstShownRow, 0);
    EXPECT_EQ(cell(0), "e2-e4");
}

TEST_F(History, SteppingBackToTheStartAndForwardAgain) {
    playTwelve();
    const Position last = record().current;
    const bool lastSide = record().playerIsBlack;
    for (int i = 0; i < 14; ++i) window->history().step(true);
    EXPECT_EQ(record().plyCount, 0);
    Position start;
    setInitialPosition(start);
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) EXPECT_EQ(record().current.at(x, y), start.at(x, y));
    for (int i = 0; i < 14; ++i) window->history().step(false);
    EXPECT_EQ(record().plyCount, 12);
    EXPECT_EQ(record().playerIsBlack, lastSide);
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) EXPECT_EQ(record().current.at(x, y), last.at(x, y));
}

TEST_F(History, UndoLeavesWhiteToMoveOrStartsANewGame) {
    playChess("e2", "e4");  // the computer replies
    ASSERT_EQ(record().plyCount, 2);
    // Two half-moves only: the take-back starts a new game.
    window->runCommand(cmd::kTakeBack);
    EXPECT_EQ(record().plyCount, 0);
    EXPECT_TRUE(record().moves[0].empty());

    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    playChess("e7", "e5");
    playChess("g1", "f3");
    playChess("b8", "c6");
    playChess("f1", "c4");
    ASSERT_EQ(record().plyCount, 5);
    ASSERT_TRUE(record().playerIsBlack);
    window->runCommand(cmd::kTakeBack);
    EXPECT_EQ(record().plyCount, 3);
    EXPECT_TRUE(record().moves[4].empty());
    EXPECT_TRUE(record().moves[3].empty());
    // Black to move again, and the board handed to Black: g1 (the far row)
    // is empty after Nf3.
    EXPECT_TRUE(record().playerIsBlack);
    EXPECT_EQ(record().current.at(7, 8), 0);
}

TEST_F(History, ANewGameAndATakeBackToTheStartClearTheSearchFigures) {
    for (const int command : {cmd::kTakeBack, cmd::kNewGame}) {
        playChess("e2", "e4");  // the computer replies
        ASSERT_EQ(record().plyCount, 2);
        ASSERT_NE(window->layout().nodes->text(), "0");
        window->runCommand(command);
        ASSERT_EQ(record().plyCount, 0);
        EXPECT_EQ(window->layout().nodes->text(), "0") << command;
        EXPECT_EQ(window->layout().memory->text(), "0 Mo");
        EXPECT_EQ(window->layout().depth->text(), "0");
    }
}

TEST_F(History, ReviewNeedsTwoHalfMovesAndLeavesTheOptionAsItWas) {
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    window->runCommand(cmd::kReviewLastMove);
    EXPECT_TRUE(controller().display().showPossibleMoves);
    EXPECT_FALSE(play().markerOn);
    playChess("e7", "e5");
    const Position after = record().current;
    QList<QPair<int, int>> marks;
    QObject::connect(&controller(), &GameController::repaintNeeded, [&] {
        if (play().markerOn) marks.append({play().markFile, play().markRank});
    });
    window->runCommand(cmd::kReviewLastMove);
    ASSERT_GE(marks.size(), 2);
    EXPECT_EQ(marks.front(), qMakePair(5, 7));  // e7 on the board as White holds it
    // e5 on the board as Black held it when the move was made.
    EXPECT_EQ(marks.back(), qMakePair(5, 4));
    EXPECT_TRUE(controller().display().showPossibleMoves);
    EXPECT_FALSE(play().markerOn);
    EXPECT_EQ(record().current, after);
    EXPECT_FALSE(record().playerIsBlack);  // still White's turn in the two-human game
}

// A command that replaces the game during "Revoir le dernier mouvement" ends
// the replay first: the replay must not read the new record with the old
// count, nor put the old board back over the new game.
TEST_F(History, NewGameLoadAndRecoverDuringTheReplayEndItFirst) {
    struct Case {
        const char* name;
        int command;
        int plyCountAfter;
    };
    const Case cases[] = {
        {"new game", cmd::kNewGame, 0}, {"load", cmd::kLoadGame, 2}, {"recover", cmd::kRecoverGame, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->runCommand(cmd::kModeHumanHuman);
        controller().resetForNewGame();
        const char* moves[][2] = {{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}};
        for (const auto& move : moves) playChess(move[0], move[1]);
        // A file of two half-moves, a recovery file of three.
        GameRecord other = record();
        other.plyCount = other.recordLength = 2;
        ASSERT_TRUE(writeGameFile(path("deux.ech").toStdString(), other));
        other.plyCount = other.recordLength = 3;
        ASSERT_TRUE(writeGameFile(controller().recoveryPath(), other));
        dialogs.fileNames.push_back(path("deux.ech"));
        window->runCommand(cmd::kModeComputerHuman);

        QTimer::singleShot(50, window.get(), [&] {
            ASSERT_TRUE(play().reviewing);
            window->runCommand(c.command);
        });
        window->runCommand(cmd::kReviewLastMove);

        EXPECT_FALSE(play().reviewing);
        EXPECT_FALSE(play().markerOn);
        EXPECT_TRUE(controller().display().showPossibleMoves);
        ASSERT_EQ(record().plyCount, c.plyCountAfter);
        Position start;
        setInitialPosition(start);
        const Position& shown =
            c.plyCountAfter == 0 ? start : record().history[static_cast<std::size_t>(c.plyCountAfter - 1)];
        int squaresAstray = 0;
        for (int x = 1; x <= 8; ++x)
            for (int y = 1; y <= 8; ++y) squaresAstray += record().current.at(x, y) != shown.at(x, y);
        EXPECT_EQ(squaresAstray, 0);
        // The move list ends on the same half-move.
        if (c.plyCountAfter > 0) {
            EXPECT_TRUE(cell(c.plyCountAfter - 1).startsWith('>')) << cell(c.plyCountAfter - 1).toStdString();
        }
        EXPECT_TRUE(cell(c.plyCountAfter).trimmed().isEmpty());
        EXPECT_NE(shownStatus(), "Pat ! Fin de la partie");
        for (const auto& box : dialogs.boxes) EXPECT_NE(box.text, "Pat ! Fin de la partie");
    }
}

}  // namespace
}  // namespace quorvel::testing
