// The move list, stepping through the history, taking back and reviewing.

#include <QLineEdit>

#include "rules/move_application.h"
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

}  // namespace
}  // namespace quorvel::testing
