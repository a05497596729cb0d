// The judgement of moves: losses and marks at their thresholds, mates, the
// review of whole games from fixed scores, and the texts the scores take in
// PGN and in UCI.

#include "coach/game_review.h"

#include <gtest/gtest.h>

#include <memory>

#include "rules/fen.h"
#include "rules/uci_position.h"
#include "scripted_game.h"

namespace quorvel {
namespace {

AnalysisScore cp(int value) {
    return AnalysisScore::ofCentipawns(value);
}
AnalysisScore mates(int moves) {
    return AnalysisScore::matesIn(moves);
}
AnalysisScore mated(int moves) {
    return AnalysisScore::matedIn(moves);
}

struct LossCase {
    const char* name;
    AnalysisScore best, after;  // the mover's view
    int loss;
    MoveMark mark;
    bool allowsMate = false;
    bool missesMate = false;
};

const LossCase kLosses[] = {
    {"no loss", cp(30), cp(30), 0, MoveMark::none},
    {"a gain counts as no loss", cp(100), cp(150), 0, MoveMark::none},
    {"just under an inaccuracy", cp(30), cp(-19), 49, MoveMark::none},
    {"an inaccuracy at half a pawn", cp(30), cp(-20), 50, MoveMark::inaccuracy},
    {"just under a mistake", cp(0), cp(-99), 99, MoveMark::inaccuracy},
    {"a mistake at one pawn", cp(0), cp(-100), 100, MoveMark::mistake},
    {"just under a blunder", cp(0), cp(-299), 299, MoveMark::mistake},
    {"a blunder at three pawns", cp(0), cp(-300), 300, MoveMark::blunder},
    {"a queen left hanging", cp(-20), cp(-1380), 980, MoveMark::blunder},
    {"a won game kept won loses nothing", cp(1500), cp(1100), 0, MoveMark::none},
    {"a won game half thrown away", cp(1500), cp(600), 400, MoveMark::blunder},
    {"a lost game stays lost", cp(-1200), cp(-2500), 0, MoveMark::none},
    {"a slower mate loses nothing", mates(2), mates(5), 0, MoveMark::none},
    {"a missed mate that keeps the game won", mates(3), cp(1200), 0, MoveMark::none, false, true},
    {"a missed mate that gives the win away", mates(3), cp(200), 800, MoveMark::blunder, false, true},
    {"walking into a mate", cp(0), mated(4), 1000, MoveMark::blunder, true},
    {"walking into a mate from a bad game", cp(-950), mated(2), 50, MoveMark::blunder, true},
    {"walking into a mate from a lost game", cp(-1200), mated(2), 0, MoveMark::none, true},
    {"a quicker mate against a mated side", mated(5), mated(2), 0, MoveMark::none},
    {"a mate for a mate against", mates(1), mated(1), 2000, MoveMark::blunder, true, true},
};

TEST(MoveJudgement, LossesAndMarksAtTheirThresholds) {
    for (const LossCase& c : kLosses) {
        SCOPED_TRACE(c.name);
        const MoveLoss loss = moveLoss(c.best, c.after);
        EXPECT_EQ(loss.centipawns, c.loss);
        EXPECT_EQ(loss.allowsMate, c.allowsMate);
        EXPECT_EQ(loss.missesMate, c.missesMate);
        EXPECT_EQ(markFor(loss, c.best), c.mark);
    }
}

TEST(MoveJudgement, TheEvaluationLossIsTheWholeDifference) {
    EXPECT_EQ(moveLoss(cp(-20), cp(-1380)).evaluationLoss, 1360);
    EXPECT_EQ(moveLoss(cp(1500), cp(1100)).evaluationLoss, 400);
    EXPECT_EQ(moveLoss(cp(100), cp(150)).evaluationLoss, 0);
    // With a mate there is no whole difference: the bounded one stands.
    EXPECT_EQ(moveLoss(mates(3), cp(200)).evaluationLoss, 800);
}

TEST(MoveJudgement, MarksAndGlyphs) {
    const struct {
        MoveMark mark;
        const char* symbol;
        int nag;
    } cases[] = {{MoveMark::none, "", 0},
                 {MoveMark::inaccuracy, "?!", 6},
                 {MoveMark::mistake, "?", 2},
                 {MoveMark::blunder, "??", 4}};
    for (const auto& c : cases) {
        EXPECT_STREQ(markSymbol(c.mark), c.symbol);
        EXPECT_EQ(markNag(c.mark), c.nag);
    }
}

TEST(ScoreTexts, PgnEvaluationsFromWhitesView) {
    const struct {
        AnalysisScore score;
        const char* text;
    } cases[] = {{cp(35), "0.35"},  {cp(-120), "-1.20"}, {cp(0), "0.00"},
                 {cp(-5), "-0.05"}, {cp(1378), "13.78"}, {mates(3), "#3"},
                 {mated(2), "#-2"}, {mated(0), ""},      {mates(0), ""}};
    for (const auto& c : cases) EXPECT_EQ(pgnEvalText(c.score), c.text);
}

// An engine's "info" lines, read by the protocol's own reader, give the
// analyst's score only when it is exact and of the best line.
TEST(ScoreTexts, AnEnginesReportAsTheAnalystsScore) {
    const struct {
        const char* line;
        std::optional<AnalysisScore> score;
    } cases[] = {
        {"info depth 6 seldepth 8 score cp 1370 nodes 3760077 pv f3g5 f8d6 f1e2", cp(1370)},
        {"info depth 9 score cp -35 pv e7e5", cp(-35)},
        {"info depth 3 multipv 1 score mate 3 time 4 pv h2h3", mates(3)},
        {"info depth 3 score mate -2 pv h2h3 d8h4", mated(2)},
        {"info depth 0 score mate 0", mated(0)},
        {"info depth 12 score cp 20 lowerbound pv e2e4", std::nullopt},
        {"info depth 12 score mate 4 upperbound", std::nullopt},
        {"info depth 3 multipv 2 score cp 10 pv d2d4", std::nullopt},
        {"info depth 3 nodes 100 nps 1000", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto info = parseInfoLine(c.line);
        ASSERT_TRUE(info);
        EXPECT_EQ(analysisScoreOf(*info), c.score);
    }
    EXPECT_FALSE(parseInfoLine("info string score cp 35 pv e2e4"));
}

TEST(ScoreTexts, TheOppositeViewOfAScore) {
    EXPECT_EQ(cp(35).opposite(), cp(-35));
    EXPECT_EQ(mates(3).opposite(), mated(3));
    EXPECT_EQ(mated(0).opposite(), mates(0));
    EXPECT_EQ(mated(2).opposite().opposite(), mated(2));
}

// The positions a game gives an analyst.

std::unique_ptr<GameRecord> played(const std::string& moves) {
    auto record = std::make_unique<GameRecord>(test::newScriptedGame(false));
    EXPECT_EQ(test::playScriptedLine(*record, moves), static_cast<int>(test::splitTokens(moves).size()));
    return record;
}

TEST(ReviewPositions, EachPositionWithTheMovePlayedFromIt) {
    const auto record = played("e2e4 e7e5 g1f3 d8g5 f3g5");
    const std::vector<ReviewPosition> positions = reviewPositions(*record);
    ASSERT_EQ(positions.size(), 6u);
    const char* const kPlayed[] = {"e2e4", "e7e5", "g1f3", "d8g5", "f3g5", ""};
    const char* const kSan[] = {"e4", "e5", "Nf3", "Qg5", "Nxg5", ""};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(positions[i].ply, static_cast<int>(i));
        EXPECT_EQ(positions[i].played, kPlayed[i]);
        EXPECT_EQ(positions[i].playedSan, kSan[i]);
        EXPECT_FALSE(positions[i].decided);
        EXPECT_EQ(positions[i].position.whiteToMove, i % 2 == 0);
    }
    EXPECT_EQ(positionWords(positions[0].game), "startpos");
    EXPECT_EQ(positionWords(positions[4].game), "startpos moves e2e4 e7e5 g1f3 d8g5");
    EXPECT_EQ(positions[0].legalMoves, 20);
}

TEST(ReviewPositions, MateStalemateAndADrawAreDecidedByTheRules) {
    const auto foolsMate = played("f2f3 e7e5 g2g4 d8h4");
    const auto positions = reviewPositions(*foolsMate);
    ASSERT_EQ(positions.size(), 5u);
    EXPECT_EQ(positions.back().decided, mated(0));
    EXPECT_EQ(positions.back().legalMoves, 0);

    // Black is stalemated by Qb6.
    auto stalemate = std::make_unique<GameRecord>(
        std::get<FenSetup>(parseLegalFen("k7/8/8/2Q5/8/8/8/7K w - - 0 1", FenOrientation::whiteLower))
            .record);
    keepSetupInHistory(*stalemate);
    ASSERT_TRUE(test::playScripted(*stalemate, "c5b6"));
    const auto stalemated = reviewPositions(*stalemate);
    ASSERT_EQ(stalemated.size(), 2u);
    EXPECT_EQ(positionWords(stalemated[0].game), "fen k7/8/8/2Q5/8/8/8/7K w - - 0 2");
    EXPECT_EQ(positionWords(stalemated[1].game), "fen k7/8/8/2Q5/8/8/8/7K w - - 0 2 moves c5b6");
    EXPECT_EQ(stalemated[1].decided, cp(0));

    // Kings alone: the game ends drawn.
    auto bare = std::make_unique<GameRecord>(
        std::get<FenSetup>(parseLegalFen("k7/8/8/8/8/8/1q6/K7 w - - 0 1", FenOrientation::whiteLower))
            .record);
    keepSetupInHistory(*bare);
    ASSERT_TRUE(test::playScripted(*bare, "a1b2"));
    const auto drawn = reviewPositions(*bare);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_FALSE(drawn[0].decided);
    EXPECT_EQ(drawn[1].decided, cp(0));
}

TEST(ReviewPositions, AGameSetUpWithBlackToMoveAndAGameWithoutMoves) {
    auto record = std::make_unique<GameRecord>(
        std::get<FenSetup>(parseLegalFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                                         FenOrientation::whiteLower))
            .record);
    EXPECT_EQ(uciGameOf(*record, 0),
              (UciGameText{"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", {}}));
    keepSetupInHistory(*record);
    ASSERT_TRUE(test::playScripted(*record, "c7c5"));
    const auto positions = reviewPositions(*record);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[0].ply, 1);
    EXPECT_FALSE(positions[0].position.whiteToMove);
    EXPECT_EQ(positions[0].playedSan, "c5");
    EXPECT_EQ(positions[1].game,
              (UciGameText{"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", {"c7c5"}}));
}

// Whole games reviewed with fixed scores (the side to move's view).

std::vector<PositionScore> scored(std::initializer_list<PositionScore> scores) {
    return scores;
}

TEST(GameReviewOf, TheHangingQueenIsABlunderAndTheRestAsScored) {
    const auto record = played("e2e4 e7e5 g1f3 d8g5 f3g5 g8f6");
    const auto positions = reviewPositions(*record);
    const auto review = reviewGame(positions, scored({
                                                  {cp(30), "e2e4"},     // White: e4, the choice
                                                  {cp(-30), "b8c6"},    // Black: e5 loses 0.05
                                                  {cp(35), "b1c3"},     // White: Nf3 loses 0.10
                                                  {cp(-25), "b8c6"},    // Black: Qg5 throws the queen
                                                  {cp(1380), "f3g5"},   // White takes it
                                                  {cp(-1390), "g8f6"},  // Black's best, played
                                                  {cp(1400), ""},
                                              }));
    ASSERT_EQ(review.moves.size(), 6u);
    EXPECT_TRUE(review.complete);
    EXPECT_EQ(review.firstPly, 0);
    EXPECT_EQ(review.start, cp(30));
    const MoveMark kMarks[] = {MoveMark::none,    MoveMark::none, MoveMark::none,
                               MoveMark::blunder, MoveMark::none, MoveMark::none};
    const int kLosses[] = {0, 5, 10, 975, 0, 0};
    for (std::size_t i = 0; i < review.moves.size(); ++i) {
        SCOPED_TRACE(review.moves[i].playedSan);
        EXPECT_EQ(review.moves[i].ply, static_cast<int>(i));
        EXPECT_EQ(review.moves[i].mark, kMarks[i]);
        ASSERT_TRUE(review.moves[i].loss);
        EXPECT_EQ(review.moves[i].loss->centipawns, kLosses[i]);
    }
    // Scores after each move, White's view: Black's positions turned round.
    EXPECT_EQ(review.moves[0].after, cp(30));
    EXPECT_EQ(review.moves[3].after, cp(1380));
    EXPECT_EQ(review.scoreAt(4), cp(1380));
    EXPECT_EQ(review.scoreAt(0), cp(30));
    EXPECT_FALSE(review.scoreAt(7));
    EXPECT_EQ(review.moves[3].bestMove, "b8c6");
    EXPECT_EQ(review.moves[3].bestSan, "Nc6");
    EXPECT_EQ(review.moves[3].playedSan, "Qg5");

    EXPECT_EQ(review.white.scoredMoves, 3);
    EXPECT_EQ(review.white.blunders + review.white.mistakes + review.white.inaccuracies, 0);
    EXPECT_EQ(review.white.totalLoss, 10);
    EXPECT_EQ(review.black.scoredMoves, 3);
    EXPECT_EQ(review.black.blunders, 1);
    EXPECT_EQ(review.black.totalLoss, 980);
    EXPECT_NEAR(review.black.averageLoss(), 980 / 100.0 / 3, 1e-9);
    EXPECT_NEAR(review.white.averageLoss(), 0.1 / 3, 1e-9);
    EXPECT_EQ(SideSummary{}.averageLoss(), 0.0);
}

TEST(GameReviewOf, TheAnalystsOwnMoveAndAForcedMoveLoseNothing) {
    // After 1. e4 f5 2. Qh5+ Black has one move, g6.
    const auto record = played("e2e4 f7f5 d1h5 g7g6");
    const auto positions = reviewPositions(*record);
    ASSERT_EQ(positions[3].legalMoves, 1);
    // Scores that would make both a blunder: the two searches disagree, and
    // the analyst names no move where Black has one.
    const auto review = reviewGame(positions, scored({
                                                  {cp(0), "e2e4"},
                                                  {cp(0), "f7f5"},
                                                  {cp(0), "d1h5"},
                                                  {cp(500), ""},
                                                  {cp(500), ""},
                                              }));
    EXPECT_EQ(review.moves[2].loss->centipawns, 0);
    EXPECT_EQ(review.moves[3].loss->centipawns, 0);
    EXPECT_EQ(review.moves[3].mark, MoveMark::none);
    // The same loss from a move that was neither the choice nor forced.
    const auto other = reviewGame(positions, scored({
                                                 {cp(0), "e2e4"},
                                                 {cp(0), "f7f5"},
                                                 {cp(0), "g1f3"},
                                                 {cp(500), ""},
                                                 {cp(500), ""},
                                             }));
    EXPECT_EQ(other.moves[2].mark, MoveMark::blunder);
}

TEST(GameReviewOf, AMoveIntoMateIsABlunderAndTheMateIsTheRules) {
    const auto record = played("f2f3 e7e5 g2g4 d8h4");
    const auto positions = reviewPositions(*record);
    // The analyst's word on the mated position is not asked for, nor used.
    const auto review = reviewGame(positions, scored({
                                                  {cp(20), "e2e4"},
                                                  {cp(40), "e7e5"},
                                                  {cp(-60), "b1c3"},
                                                  {mates(1), "d8h4"},
                                                  {cp(0), ""},
                                              }));
    EXPECT_TRUE(review.complete);
    EXPECT_EQ(review.moves[2].mark, MoveMark::blunder);
    EXPECT_TRUE(review.moves[2].loss->allowsMate);
    EXPECT_EQ(review.moves[3].mark, MoveMark::none);
    EXPECT_EQ(review.moves[3].after, mated(0));  // White's view: White is mated
    EXPECT_EQ(review.white.blunders, 1);
}

TEST(GameReviewOf, AMissingScoreLeavesItsMovesUnjudged) {
    const auto record = played("e2e4 e7e5 g1f3");
    const auto positions = reviewPositions(*record);
    const auto review =
        reviewGame(positions, scored({{cp(30), "e2e4"}, {}, {cp(20), "b1c3"}, {cp(-20), ""}}));
    EXPECT_FALSE(review.complete);
    EXPECT_TRUE(review.moves[0].loss == std::nullopt);
    EXPECT_TRUE(review.moves[1].loss == std::nullopt);
    EXPECT_TRUE(review.moves[2].loss);
    EXPECT_EQ(review.white.scoredMoves, 1);
    EXPECT_EQ(review.black.scoredMoves, 0);
    // Fewer scores than positions: the rest are missing too.
    EXPECT_FALSE(reviewGame(positions, scored({{cp(30), "e2e4"}})).complete);
}

TEST(GameReviewOf, AnUnknownBestMoveIsLeftOut) {
    const auto record = played("e2e4 e7e5");
    const auto positions = reviewPositions(*record);
    const auto review = reviewGame(positions, scored({{cp(30), "e2e5"}, {cp(-30), "zz"}, {cp(30), ""}}));
    EXPECT_EQ(review.moves[0].bestMove, "");
    EXPECT_EQ(review.moves[0].bestSan, "");
    EXPECT_EQ(review.moves[1].bestSan, "");
}

TEST(GameReviewOf, PgnNotesCarryGlyphsScoresAndTheBetterMove) {
    const auto record = played("e2e4 e7e5 g1f3 d8g5");
    const auto positions = reviewPositions(*record);
    const auto review = reviewGame(positions, scored({
                                                  {cp(30), "e2e4"},
                                                  {cp(-30), "e7e5"},
                                                  {cp(100), "b1c3"},  // Nf3: an inaccuracy, 0.75 lost
                                                  {cp(-25), "b8c6"},
                                                  {mates(3), "f3g5"},
                                              }));
    const std::vector<PgnMoveNote> notes = pgnNotesOf(review);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].nag, 0);
    EXPECT_EQ(notes[0].eval, "0.30");
    EXPECT_EQ(notes[0].betterMove, "");
    EXPECT_EQ(notes[2].nag, 6);
    EXPECT_EQ(notes[2].eval, "0.25");
    EXPECT_EQ(notes[2].betterMove, "Nc3");
    EXPECT_EQ(notes[3].nag, 4);
    EXPECT_EQ(notes[3].eval, "#3");
    EXPECT_EQ(notes[3].betterMove, "Nc6");
}

}  // namespace
}  // namespace quorvel
