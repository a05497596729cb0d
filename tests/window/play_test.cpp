// Games played by clicks at the board's pixel positions.

#include <QTest>
#include <vector>

#include "window/command_ids.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using PlayByClicks = WindowTest;

TEST_F(PlayByClicks, E2E4ThenTheComputerRepliesInThreeSteps) {
    struct Step {
        int step, file, rank;
        bool markerOn;
    };
    std::vector<Step> steps;
    QObject::connect(&controller(), &GameController::computerMoveStep, [&](int step, int file, int rank) {
        steps.push_back({step, file, rank, play().markerOn});
    });
    playChess("e2", "e4");

    ASSERT_EQ(record().plyCount, 2);
    EXPECT_EQ(record().moves[0].str(), "e2-e4");
    const std::string reply = record().moves[1].str();
    ASSERT_GE(reply.size(), 5u);
    EXPECT_EQ(cell(0), "e2-e4");
    EXPECT_EQ(cell(1), QString::fromStdString(">" + reply + "<"));
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].step, 1);
    EXPECT_EQ(steps[0].file, reply[0] - 'a' + 1);
    EXPECT_EQ(steps[0].rank, reply[1] - '0');
    EXPECT_TRUE(steps[0].markerOn);
    EXPECT_EQ(steps[1].file, reply[3] - 'a' + 1);
    EXPECT_EQ(steps[1].rank, reply[4] - '0');
    EXPECT_FALSE(play().markerOn);
    EXPECT_FALSE(play().searchRunning);
    EXPECT_TRUE(play().awaitingHuman);
    // The engine's report replaced the blinking search text.
    EXPECT_FALSE(shownStatus().isEmpty());
    EXPECT_FALSE(shownStatus().contains("Recherche en cours"));
    // The board shows the reply: its to-square holds a computer piece.
    EXPECT_TRUE(isUpperPiece(record().current.at(reply[3] - 'a' + 1, reply[4] - '0')));
}

// The information dialog of one search keeps its eight fields from one
// showing to the next; the next search's dialog starts empty.
TEST_F(PlayByClicks, TheInformationDialogKeepsItsFieldsWithinOneSearch) {
    controller().engineOptions().extraDisplays = true;
    std::vector<ExplorerPath> received;
    controller().setInformationDialog(
        [&](const std::string&, const std::string&, ExplorerPath& fields) -> std::optional<ExplorerPath> {
            received.push_back(fields);
            if (fields[0].empty()) {
                fields[0] = "e2";
                fields[3] = "x";
                return fields;
            }
            return std::nullopt;  // "Sortir" on the second showing
        });
    // The dialog opens once the move is on the board; the search thread ends
    // when it closes.
    window->runCommand(cmd::kComputerFirst);
    ASSERT_TRUE(QTest::qWaitFor([this] { return controller().searchThreadDone(); }, 10000));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_TRUE(received[0][0].empty());
    EXPECT_EQ(received[1][0], "e2");
    EXPECT_EQ(received[1][3], "x");

    received.clear();
    playChess("e7", "e5");
    ASSERT_TRUE(QTest::qWaitFor([this] { return controller().searchThreadDone(); }, 10000));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_TRUE(received[0][0].empty());
}

// With the extra displays on, the information dialog is a look at the
// search, not a pause in the game: the computer's move is on the board and
// the human's clock runs while it is open.
TEST_F(PlayByClicks, TheInformationDialogOpensOnTheMovePlayedWithTheHumansClockRunning) {
    controller().engineOptions().extraDisplays = true;
    struct Seen {
        int plyCount = 0;
        bool searchRunning = true;
        bool humanToMove = false;
        bool moveOnBoard = false;
        std::int32_t whiteBefore = 0, whiteAfter = 0, blackBefore = 0, blackAfter = 0;
        bool inRecord = false;
    };
    std::vector<Seen> seen;
    controller().setInformationDialog([&](const std::string&, const std::string&,
                                          ExplorerPath&) -> std::optional<ExplorerPath> {
        Seen s;
        const GameRecord& r = record();
        s.plyCount = r.plyCount;
        s.searchRunning = play().searchRunning;
        s.humanToMove = controller().humanToMove();
        s.moveOnBoard = r.plyCount > 0 && r.current == r.history[static_cast<std::size_t>(r.plyCount - 1)];
        s.whiteBefore = controller().whiteSeconds();
        s.blackBefore = controller().blackSeconds();
        // Two seconds go by while the player reads.
        for (int i = 0; i < 2; ++i) Q_EMIT controller().timers().secondElapsed();
        s.whiteAfter = controller().whiteSeconds();
        s.blackAfter = controller().blackSeconds();
        // The search handed the record back: the seconds are in it.
        s.inRecord = r.whiteClock == s.whiteAfter && r.blackClock == s.blackAfter;
        seen.push_back(s);
        return std::nullopt;
    });
    playChess("e2", "e4");
    ASSERT_TRUE(QTest::qWaitFor([this] { return controller().searchThreadDone(); }, 10000));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].plyCount, 2);
    EXPECT_TRUE(seen[0].moveOnBoard);
    EXPECT_FALSE(seen[0].searchRunning);
    EXPECT_TRUE(seen[0].humanToMove);
    EXPECT_EQ(seen[0].whiteAfter, seen[0].whiteBefore + 2);  // the human's clock
    EXPECT_EQ(seen[0].blackAfter, seen[0].blackBefore);      // not the computer's
    EXPECT_TRUE(seen[0].inRecord);
    // The game goes on once the dialog is closed.
    playChess("d2", "d4");
    EXPECT_EQ(record().plyCount, 4);
}

TEST_F(PlayByClicks, CastlingAcceptedAndRefusedThroughAnAttackedSquare) {
    controller().setModeHumanHuman();
    // The black rook on f2 covers f1: no castling on the king's side, the
    // queen's side is free.
    setFen("4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1");
    playChess("e1", "g1");
    EXPECT_EQ(record().plyCount, 0);
    EXPECT_TRUE(play().markerOn);  // the selection is kept
    // The marker stays on the selected king, not on the refused square.
    EXPECT_EQ(std::pair(play().markFile, play().markRank), std::pair(5, 1));
    clickChess("e1");  // drop it
    playChess("e1", "c1");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(record().moves[0].str(), "o-o-o");
    EXPECT_EQ(record().history[0].at(3, 1), kLowerKing);
    EXPECT_EQ(record().history[0].at(4, 1), kLowerRook);
}

TEST_F(PlayByClicks, CastlingOnTheKingsSideByClicks) {
    controller().setModeHumanHuman();
    setFen("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    playChess("e1", "g1");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(record().moves[0].str(), "o-o");
    EXPECT_EQ(record().history[0].at(7, 1), kLowerKing);
    EXPECT_EQ(record().history[0].at(6, 1), kLowerRook);
}

TEST_F(PlayByClicks, PromotionThroughTheChooser) {
    controller().setModeHumanHuman();
    setFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    dialogs.promotions.push_back(kLowerKnight);
    playChess("a7", "a8");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(record().moves[0].str(), "a7-a8");
    EXPECT_EQ(record().history[0].at(1, 8), kLowerKnight);
}

TEST_F(PlayByClicks, MateIsAnnouncedWithItsExactTextAndCaption) {
    setFen("7k/6pp/8/8/8/8/8/R5K1 w - - 0 1");
    playChess("a1", "a8");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(record().moves[0].str(), "a1-a8++");
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().caption, "QuorVEL 1.0");
    EXPECT_EQ(dialogs.boxes.back().text, "Echec et mat : les Blancs gagnent !");
    EXPECT_EQ(shownStatus(), "Les Blancs gagnent!");
    // The game is over: no more selection, and the message is not repeated.
    const auto shown = dialogs.boxes.size();
    clickChess("g1");
    EXPECT_FALSE(play().markerOn);
    controller().repaint();
    EXPECT_EQ(dialogs.boxes.size(), shown);
    EXPECT_FALSE(controller().timers().running());
}

TEST_F(PlayByClicks, ThreefoldShuttleIsADrawAnnouncedOnce) {
    controller().setModeHumanHuman();
    const char* moves[][2] = {{"e2", "e4"}, {"e7", "e5"}, {"d2", "d3"}, {"d7", "d6"},
                              {"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"},
                              {"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
    for (const auto& move : moves) playChess(move[0], move[1]);
    ASSERT_EQ(record().plyCount, 12);
    int draws = 0;
    for (const auto& box : dialogs.boxes)
        draws += box.text == QString::fromUtf8("Trois fois la même position : partie nulle");
    EXPECT_EQ(draws, 1);
    EXPECT_TRUE(controller().gameOver());
    playChess("b1", "c3");
    EXPECT_EQ(record().plyCount, 12);
}

TEST_F(PlayByClicks, TheRecordEndsAsADrawAtThreeHundredHalfMoves) {
    controller().setModeHumanHuman();
    setFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    // Pretend the game is long: 298 half-moves already recorded.
    record().plyCount = record().recordLength = 298;
    for (int k = 0; k < 298; ++k) record().moves[static_cast<std::size_t>(k)] = MoveText::fromString("a1-a2");
    playChess("a1", "a2");
    ASSERT_EQ(record().plyCount, 299);
    playChess("e8", "d8");
    ASSERT_EQ(record().plyCount, 300);
    EXPECT_TRUE(controller().gameOver());
    EXPECT_EQ(shownStatus(), "Partie nulle");
    EXPECT_EQ(dialogs.boxes.back().caption, "Quorvel 1.0");
    const auto boxes = dialogs.boxes.size();
    window->runCommand(cmd::kSideWhite);
    playChess("a2", "a3");
    EXPECT_EQ(record().plyCount, 300);
    EXPECT_EQ(dialogs.boxes.size(), boxes);
}

}  // namespace
}  // namespace quorvel::testing
