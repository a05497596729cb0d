// The coach in the window, with a scripted analyst (fixed scores per
// position): the hint on the board and the status line, the warning's box
// and its "Reprendre le coup", answers that come too late, "Interrompre la
// recherche", the review window, the export with the review, and the
// settings kept in the preferences.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <map>

#include "features/coach_settings_dialog.h"
#include "features/evaluation_graph.h"
#include "features/review_window.h"
#include "scripted_analyst.h"
#include "storage/game_file.h"
#include "window/board_geometry.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/hint_drawing.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

AnalysisScore cp(int value) {
    return AnalysisScore::ofCentipawns(value);
}

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 20000);
}

class CoachTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->coach().setAnalystFactory([this] {
            auto analyst = std::make_unique<test::ScriptedAnalyst>();
            for (const auto& [position, reply] : scripts)
                analyst->script(position, reply.score, reply.bestMove);
            made.push_back(analyst.get());
            return analyst;
        });
    }

    // Every analyst made from now on answers `position` so.
    void script(const std::string& position, AnalysisScore score, std::string best = {}) {
        scripts[position] = {score, best};
        for (test::ScriptedAnalyst* analyst : made) analyst->script(position, score, best);
    }
    // The hint's and the warning's analyst, made now if it is not yet.
    test::ScriptedAnalyst& analyst() {
        if (made.empty()) {
            window->runCommand(cmd::kSuggestMove);  // makes it, on a position of no interest
            EXPECT_TRUE(waitFor([&] { return !window->coach().hinting(); }));
        }
        return *made.front();
    }
    Coach& coach() { return window->coach(); }
    bool enabled(int id) { return window->menu().action(id)->isEnabled(); }

    std::map<std::string, test::ScriptedAnalyst::Reply> scripts;
    std::vector<test::ScriptedAnalyst*> made;  // owned by the coach; a review's goes with it
};

// The hint

TEST_F(CoachTest, AHintIsWrittenInThePlayersNotationAndDrawnWithoutTouchingTheGame) {
    script("startpos", cp(35), "g1f3");
    controller().display().algebraic = true;
    const auto recovery = dataFile("partie.tmp");
    window->runCommand(cmd::kSuggestMove);
    EXPECT_TRUE(coach().hinting());
    EXPECT_TRUE(shownStatus().startsWith("Recherche d'une suggestion"));
    ASSERT_TRUE(waitFor([&] { return !coach().hinting(); }));
    EXPECT_EQ(shownStatus(), "Suggestion : Cf3 (+0,35)");
    EXPECT_TRUE(coach().hintShown());
    EXPECT_EQ(record().plyCount, 0);
    EXPECT_EQ(record().recordLength, 0);
    EXPECT_FALSE(QFile::exists(recovery));
    EXPECT_EQ(made.front()->asked().front().time, std::chrono::seconds(2));

    // The arrow's middle, between g1 and f3, is drawn over the board.
    const QImage& picture = window->boardView().picture();
    const QPoint g1 = pictureSquareOfChess({7, 1}, false, false),
                 f3 = pictureSquareOfChess({6, 3}, false, false);
    const QPointF middle = (QRectF(board::squareRectInImage(g1.x(), g1.y())).center() +
                            QRectF(board::squareRectInImage(f3.x(), f3.y())).center()) /
                           2;
    const qreal scale = picture.devicePixelRatio();
    const QColor shown = picture.pixelColor((middle * scale).toPoint());
    EXPECT_GT(shown.green(), shown.red() + 60) << shown.name().toStdString();

    // Coordinates for a player who chose them; the next hint replaces it.
    controller().display().algebraic = false;
    window->runCommand(cmd::kSuggestMove);
    ASSERT_TRUE(waitFor([&] { return !coach().hinting(); }));
    EXPECT_EQ(shownStatus(), "Suggestion : g1-f3 (+0,35)");
}

TEST_F(CoachTest, AHintIsForTheHumansTurnInAGameStillGoing) {
    EXPECT_TRUE(enabled(cmd::kSuggestMove));
    // The computer to move (the human has White, Black to move).
    setFen("4k3/8/8/8/8/8/4P3/4K3 b - - 0 1");
    window->repaintAll();
    EXPECT_FALSE(coach().canSuggest());
    EXPECT_FALSE(enabled(cmd::kSuggestMove));
    // Between two humans the board is always the side to move's.
    window->runCommand(cmd::kModeHumanHuman);
    controller().handBoardToSideToMove();
    window->repaintAll();
    EXPECT_TRUE(enabled(cmd::kSuggestMove));
    // A mated side has nothing to be told.
    setFen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");
    window->repaintAll();
    EXPECT_FALSE(enabled(cmd::kSuggestMove));
    window->runCommand(cmd::kSuggestMove);
    EXPECT_FALSE(coach().hinting());
}

TEST_F(CoachTest, AHintThatArrivesAfterTheMoveIsDropped) {
    window->runCommand(cmd::kModeHumanHuman);
    test::ScriptedAnalyst& held = analyst();
    held.script("startpos", cp(35), "g1f3");
    held.hold(true);
    window->runCommand(cmd::kSuggestMove);
    playChess("e2", "e4");
    ASSERT_EQ(record().plyCount, 1);
    ASSERT_TRUE(held.releaseOne());
    ASSERT_TRUE(held.waitForAnswers(2));
    QCoreApplication::processEvents();
    EXPECT_FALSE(coach().hintShown());
    EXPECT_EQ(shownStatus(), "C'est aux Noirs de jouer");
}

TEST_F(CoachTest, InterruptingTheHintShowsWhatWasFoundSoFar) {
    test::ScriptedAnalyst& held = analyst();
    held.script("startpos", cp(20), "d2d4");
    held.hold(true);
    window->runCommand(cmd::kSuggestMove);
    window->runCommand(cmd::kStopSearch);
    EXPECT_EQ(held.cancels(), 1);
    ASSERT_TRUE(held.releaseOne());
    ASSERT_TRUE(waitFor([&] { return !coach().hinting(); }));
    EXPECT_EQ(shownStatus(), "Suggestion : d2-d4 (+0,20)");
    // Without a hint running, the button is the engine's again: nothing to stop.
    window->runCommand(cmd::kStopSearch);
    EXPECT_EQ(held.cancels(), 1);
}

// The warning

TEST_F(CoachTest, ABlunderGetsTheBoxAndReprendreLeCoupTakesItBack) {
    coach().settings().warnings = true;
    script("startpos", cp(30), "g1f3");
    script("startpos moves e2e4", cp(300), "d7d5");  // Black's view: White lost 3.3 pawns
    controller().display().algebraic = true;
    std::int32_t white = -1, black = -1;
    controller().setBeforeReply([&] {
        white = record().whiteClock;
        black = record().blackClock;
        return coach().checkHumanMove();
    });
    int searches = 0;
    QObject::connect(&controller(), &GameController::searchStarting, window.get(), [&] { ++searches; });
    dialogs.choices = {0};
    playChess("e2", "e4");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Ce coup perd environ 3,3 pions. Meilleur : Cf3.");
    EXPECT_EQ(dialogs.boxes[0].choices, QStringList({"Reprendre le coup", "Jouer quand même"}));
    // Taken back before the computer answered.
    EXPECT_EQ(record().plyCount, 0);
    EXPECT_EQ(record().recordLength, 0);
    EXPECT_TRUE(record().moves[0].empty());
    EXPECT_EQ(record().current.at(5, 2), kLowerPawn);
    EXPECT_EQ(record().current.at(5, 4), kEmpty);
    EXPECT_EQ(record().whiteClock, white);
    EXPECT_EQ(record().blackClock, black);
    EXPECT_FALSE(controller().computerBusy());
    EXPECT_TRUE(controller().humanToMove());
    // The computer does not answer a move taken back.
    EXPECT_EQ(searches, 0);
    EXPECT_EQ(shownStatus(), QString::fromUtf8("Coup repris : à vous de jouer"));
    // Each position was looked at for the coach's time.
    const auto asked = made.front()->askedPositions();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "startpos");
    EXPECT_EQ(asked[1], "startpos moves e2e4");
    EXPECT_EQ(made.front()->asked()[1].time, std::chrono::seconds(1));
    // The game goes on from there.
    playChess("d2", "d4");
    EXPECT_EQ(record().plyCount, 2);
}

TEST_F(CoachTest, TheCoachsThinkingIsChargedToNobody) {
    coach().settings().warnings = true;
    script("startpos", cp(30), "g1f3");
    script("startpos moves e2e4", cp(300), "d7d5");
    test::ScriptedAnalyst& held = analyst();
    held.hold(true);
    std::int32_t white = -1, black = -1;
    int ticks = 0;
    // The answers come once the clock has ticked twice during the look.
    QObject::connect(&controller().timers(), &GameTimers::secondElapsed, window.get(), [&] {
        if (coach().checking() && ++ticks == 2) {
            held.hold(false);
            held.releaseAll();
        }
    });
    controller().setBeforeReply([&] {
        white = record().whiteClock;
        black = record().blackClock;
        return coach().checkHumanMove();
    });
    dialogs.choices = {0};
    playChess("e2", "e4");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(record().whiteClock, white);
    EXPECT_EQ(record().blackClock, black);
}

TEST_F(CoachTest, JouerQuandMemeLetsTheComputerAnswer) {
    coach().settings().warnings = true;
    script("startpos", cp(30), "g1f3");
    script("startpos moves e2e4", cp(300), "d7d5");
    dialogs.choices = {1};
    playChess("e2", "e4");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_EQ(record().moves[0].str(), "e2-e4");
}

TEST_F(CoachTest, TheThresholdDecidesAndTheBestMoveNeverWarns) {
    coach().settings().warnings = true;
    coach().settings().thresholdPawns = 3;
    script("startpos", cp(30), "g1f3");
    script("startpos moves e2e4", cp(250), "d7d5");  // 2.8 lost: under 3
    playChess("e2", "e4");
    EXPECT_TRUE(dialogs.boxes.empty());
    ASSERT_EQ(record().plyCount, 2);

    // The analyst's own move, however the second search scores it.
    window->runCommand(cmd::kNewGame);
    dialogs.boxes.clear();
    script("startpos", cp(30), "e2e4");
    script("startpos moves e2e4", cp(900), "d7d5");
    playChess("e2", "e4");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(record().plyCount, 2);
}

TEST_F(CoachTest, TheWarningIsOnlyForGamesAgainstTheComputerWithTheOptionOn) {
    script("startpos", cp(30), "g1f3");
    script("startpos moves e2e4", cp(900), "d7d5");
    playChess("e2", "e4");  // option off
    EXPECT_TRUE(dialogs.boxes.empty());
    window->runCommand(cmd::kNewGame);
    dialogs.boxes.clear();
    window->runCommand(cmd::kCoachWarnings);
    EXPECT_TRUE(coach().settings().warnings);
    EXPECT_TRUE(window->menu().action(cmd::kCoachWarnings)->isChecked());
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(record().plyCount, 1);
}

TEST_F(CoachTest, AStaleHintArrivingDuringTheLookIsNotTakenForItsAnswer) {
    coach().settings().warnings = true;
    controller().display().algebraic = true;
    script("startpos", cp(30), "g1f3");
    script("startpos moves e2e4", cp(300), "d7d5");
    test::ScriptedAnalyst& held = analyst();
    const std::size_t before = held.asked().size();
    held.hold(true);
    window->runCommand(cmd::kSuggestMove);
    // The hint's answer, were it taken for the coach's, would read so.
    held.scriptRequest(before + 1, cp(900), "a2a3");
    controller().setBeforeReply([&] {
        held.releaseOne();
        held.waitForAnswers(before + 1);
        held.hold(false);
        return coach().checkHumanMove();
    });
    dialogs.choices = {1};
    playChess("e2", "e4");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Ce coup perd environ 3,3 pions. Meilleur : Cf3.");
    EXPECT_FALSE(coach().hintShown());
}

TEST_F(CoachTest, InterruptingTheLookLetsTheComputerAnswerWithoutABox) {
    coach().settings().warnings = true;
    script("startpos moves e2e4", cp(900), "d7d5");
    test::ScriptedAnalyst& held = analyst();
    held.hold(true);
    controller().setBeforeReply([&] {
        QTimer::singleShot(0, window.get(), [&] {
            EXPECT_TRUE(coach().checking());
            EXPECT_TRUE(controller().computerBusy());
            window->runCommand(cmd::kStopSearch);
        });
        return coach().checkHumanMove();
    });
    playChess("e2", "e4");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(held.cancels(), 1);
    EXPECT_EQ(record().plyCount, 2);
    // Its late answer changes nothing.
    held.releaseAll();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.boxes.empty());
}

// The review

class ReviewTest : public CoachTest {
protected:
    // Two humans play the queen away.
    void playGame() {
        window->runCommand(cmd::kModeHumanHuman);
        for (const auto& [from, to] :
             {std::pair{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"d8", "g5"}, {"f3", "g5"}})
            playChess(from, to);
        ASSERT_EQ(record().plyCount, 5);
        script("startpos moves e2e4 e7e5 g1f3", cp(-20), "b8c6");
        script("startpos moves e2e4 e7e5 g1f3 d8g5", cp(1380), "f3g5");
        script("startpos moves e2e4 e7e5 g1f3 d8g5 f3g5", cp(-1390), "b8c6");
    }
    ReviewWindow& reviewWindow() { return *coach().reviewWindow(); }
};

TEST_F(ReviewTest, TheReviewWindowShowsTheGraphMarksAndCounts) {
    EXPECT_FALSE(enabled(cmd::kReviewGame));
    playGame();
    EXPECT_TRUE(enabled(cmd::kReviewGame));
    controller().display().algebraic = true;
    const auto gameBefore = gameFileBytes(record());
    window->runCommand(cmd::kReviewGame);
    ASSERT_TRUE(coach().reviewWindow());
    ASSERT_TRUE(waitFor([&] { return !coach().reviewRunning(); }));
    ReviewWindow& shown = reviewWindow();
    EXPECT_TRUE(shown.isVisible());
    EXPECT_FALSE(shown.running());
    // Six positions, one per move after the first.
    EXPECT_NEAR(shown.graph()->pointOf(4).y(), shown.graph()->plotArea().top(), 0.5);
    const auto [row, column] = shown.cellOf(3);
    ASSERT_NE(shown.moveTable()->item(row, column), nullptr);
    EXPECT_TRUE(shown.moveTable()->item(row, column)->text().startsWith("Dg5??")) << row << column;
    EXPECT_TRUE(shown.summaryText().contains(
        "Noirs : 0 imprécision, 0 erreur, 1 gaffe ; perte moyenne 4,90 pions par coup"))
        << shown.summaryText().toStdString();
    EXPECT_TRUE(
        shown.summaryText().contains("Blancs : 0 imprécision, 0 erreur, 0 gaffe ; perte moyenne 0,00 pion"));
    EXPECT_EQ(gameFileBytes(record()), gameBefore);
    // The review had an analyst of its own, gone with it.
    EXPECT_EQ(made.size(), 1u);

    // A click on Black's queen move shows the position after it.
    Q_EMIT shown.moveTable()->cellClicked(row, column);
    EXPECT_EQ(record().plyCount, 4);
    EXPECT_EQ(record().recordLength, 5);
    // A click on the graph's first point, the initial position.
    QTest::mouseClick(shown.graph(), Qt::LeftButton, Qt::NoModifier, shown.graph()->pointOf(0).toPoint());
    EXPECT_EQ(record().plyCount, 0);
    EXPECT_EQ(record().recordLength, 5);
    QTest::mouseClick(shown.graph(), Qt::LeftButton, Qt::NoModifier, shown.graph()->pointOf(5).toPoint());
    EXPECT_EQ(record().plyCount, 5);
    record().plyCount = 5;
    EXPECT_EQ(gameFileBytes(record()), gameBefore);
}

TEST_F(ReviewTest, ACancelledReviewLeavesNothingBehind) {
    playGame();
    window->coach().setAnalystFactory([this] {
        auto analyst = std::make_unique<test::ScriptedAnalyst>();
        analyst->hold(true);
        made.push_back(analyst.get());
        return analyst;
    });
    window->runCommand(cmd::kReviewGame);
    ASSERT_TRUE(coach().reviewRunning());
    EXPECT_TRUE(reviewWindow().running());
    EXPECT_EQ(reviewWindow().progressBar()->maximum(), 6);
    EXPECT_EQ(reviewWindow().timeLeft(), "Temps restant estimé : 0:06");
    EXPECT_FALSE(enabled(cmd::kReviewGame));
    // The window keeps working meanwhile: the player steps back.
    window->runCommand(cmd::kHistoryBack);
    EXPECT_EQ(record().plyCount, 4);
    QTest::mouseClick(reviewWindow().cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(coach().reviewRunning());
    EXPECT_FALSE(reviewWindow().isVisible());
    EXPECT_TRUE(enabled(cmd::kReviewGame));
    // Clicks on a review that never ended show nothing.
    Q_EMIT reviewWindow().plyChosen(1);
    EXPECT_EQ(record().plyCount, 4);
}

TEST_F(ReviewTest, TheExportOffersTheReview) {
    playGame();
    window->runCommand(cmd::kReviewGame);
    ASSERT_TRUE(waitFor([&] { return !coach().reviewRunning(); }));
    const QString withReview = path("revue.pgn"), without = path("nue.pgn");
    dialogs.fileNames = {withReview, without};
    dialogs.answers = {BoxAnswer::yes, BoxAnswer::no};
    window->runCommand(cmd::kExportPgn);
    window->runCommand(cmd::kExportPgn);
    auto read = [](const QString& name) {
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    };
    const QString reviewed = read(withReview).replace('\n', ' ');
    EXPECT_TRUE(reviewed.contains("2... Qg5 $4 {[%eval 13.80]} (2... Nc6) 3. Nxg5"))
        << reviewed.toStdString();
    EXPECT_TRUE(reviewed.contains("[Annotator \"Analyste de test\"]"));
    EXPECT_FALSE(read(without).contains("$4"));
    // A game that is no longer the one reviewed is exported without asking.
    window->runCommand(cmd::kNewGame);
    ASSERT_EQ(record().recordLength, 0);
    dialogs.boxes.clear();
    dialogs.fileNames = {path("autre.pgn")};
    window->runCommand(cmd::kExportPgn);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Exportation réussie");
}

// The settings

TEST_F(CoachTest, TheSettingsGoToThePreferencesAndBadValuesFallBack) {
    CoachSettings& settings = coach().settings();
    settings = {5, true, 4, 3, 7, "quorvel"};
    window->storePreferences();
    settings = CoachSettings{};
    window->applyPreferences();
    EXPECT_EQ(settings, (CoachSettings{5, true, 4, 3, 7, "quorvel"}));

    window->preferences().set("coach.threshold_pawns", "9");
    window->preferences().set("coach.hint_seconds", "deux");
    window->preferences().set("coach.warnings", "peut-être");
    window->applyPreferences();
    EXPECT_EQ(settings.thresholdPawns, 2);
    EXPECT_EQ(settings.hintSeconds, 2);
    EXPECT_FALSE(settings.warnings);
    EXPECT_EQ(settings.coachSeconds, 3);
}

TEST(CoachSettingsDialogTest, ShowsTakesAndResetsTheSettings) {
    const CoachSettings mine{5, true, 4, 3, 7, "/usr/games/toga2"};
    CoachSettingsDialog dialog(
        mine, {{kStrongestAnalyst, "Le plus fort"}, {kOwnAnalyst, "Quorvel"}, {"/usr/games/toga2", "toga2"}});
    EXPECT_EQ(dialog.chosen(), mine);
    EXPECT_EQ(dialog.analyst()->currentText(), "toga2");
    // The spin boxes keep to their ranges.
    dialog.threshold()->setValue(9);
    EXPECT_EQ(dialog.chosen().thresholdPawns, 5);
    dialog.hintSeconds()->setValue(0);
    EXPECT_EQ(dialog.chosen().hintSeconds, 1);
    dialog.pressDefaults();
    EXPECT_EQ(dialog.chosen(), CoachSettings{});
    EXPECT_FALSE(dialog.warnings()->isChecked());
    // An analyst no longer installed falls back on the first choice.
    CoachSettingsDialog gone(CoachSettings{2, false, 2, 1, 1, "/usr/games/gone"}, {{kOwnAnalyst, "Quorvel"}});
    EXPECT_EQ(gone.chosen().analyst, kOwnAnalyst);
}

}  // namespace
}  // namespace quorvel::testing
