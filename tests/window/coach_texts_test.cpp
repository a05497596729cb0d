// What the coach writes and draws: scores and moves in the window's words,
// the warning's threshold and texts, and the hint's arrow on every board
// colour and at the screen scales.

#include "window/coach_texts.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "rules/move_application.h"
#include "rules/position.h"
#include "rules/record_positions.h"
#include "window/board_geometry.h"
#include "window/hint_drawing.h"

namespace quorvel {
namespace {

AnalysisScore cp(int value) {
    return AnalysisScore::ofCentipawns(value);
}

TEST(CoachTexts, ScoresInTheWindowsWords) {
    const struct {
        AnalysisScore score;
        const char* words;
    } cases[] = {{cp(35), "+0,35"},
                 {cp(-120), "-1,20"},
                 {cp(0), "0,00"},
                 {cp(-5), "-0,05"},
                 {cp(1380), "+13,80"},
                 {AnalysisScore::matesIn(3), "mat en 3"},
                 {AnalysisScore::matedIn(2), "mat subi en 2"}};
    for (const auto& c : cases) EXPECT_EQ(scoreWords(c.score), QString::fromUtf8(c.words));
    EXPECT_EQ(hintText("Cf3", cp(35)), "Suggestion : Cf3 (+0,35)");
    EXPECT_EQ(hintText("Dh7#", AnalysisScore::matesIn(1)), "Suggestion : Dh7# (mat en 1)");
    EXPECT_EQ(hintText("e2-e4", std::nullopt), "Suggestion : e2-e4");
}

TEST(CoachTexts, MovesInEitherNotation) {
    GameRecord record;
    newGame(record);
    const ChessPosition start = positionAtPly(record, 0);
    const struct {
        const char* uci;
        const char* algebraic;
        const char* coordinates;
    } cases[] = {{"g1f3", "Cf3", "g1-f3"}, {"e2e4", "e4", "e2-e4"}, {"e2e5", "", ""}, {"", "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(moveInNotation(start, c.uci, true), QString::fromUtf8(c.algebraic)) << c.uci;
        EXPECT_EQ(moveInNotation(start, c.uci, false), QString::fromUtf8(c.coordinates)) << c.uci;
    }
    // Captures, castling and a capture en passant, from a position with all three.
    ChessPosition busy;
    // White: Ke1, Rh1, pawn e5; Black: Ke8, pawn d5 (just played d7-d5), knight f6.
    busy.board.at(5, 1) = kLowerKing;
    busy.board.at(8, 1) = kLowerRook;
    busy.board.at(5, 5) = kLowerPawn;
    busy.board.at(5, 8) = kUpperKing;
    busy.board.at(4, 5) = kUpperPawn;
    busy.board.at(6, 6) = kUpperKnight;
    busy.state = withUpperDoubleStepFile(packState(busy.board, 0), 4);
    unpackState(busy.state, busy.board);
    EXPECT_EQ(moveInNotation(busy, "e1g1", true), "o-o");  // as the move list writes it
    EXPECT_EQ(moveInNotation(busy, "e1g1", false), "o-o");
    EXPECT_EQ(moveInNotation(busy, "e5f6", true), "exf6");
    EXPECT_EQ(moveInNotation(busy, "e5f6", false), "e5xf6");
    EXPECT_EQ(moveInNotation(busy, "e5d6", false), "e5xd6");
}

struct WarningCase {
    const char* name;
    AnalysisScore best, after;  // the mover's view
    bool playedIsBest;
    int threshold;
    bool warns;
};

const WarningCase kWarnings[] = {
    {"under the threshold", cp(30), cp(-169), false, 2, false},
    {"at the threshold", cp(30), cp(-170), false, 2, true},
    {"one pawn at the lowest threshold", cp(0), cp(-100), false, 1, true},
    {"four pawns at the highest", cp(0), cp(-400), false, 5, false},
    {"five pawns at the highest", cp(0), cp(-500), false, 5, true},
    {"the analyst's own move", cp(30), cp(-900), true, 1, false},
    {"a won game kept won", cp(1500), cp(1100), false, 1, false},
    {"a mate allowed beats every threshold", cp(-900), AnalysisScore::matedIn(3), false, 5, true},
    {"a mate missed that throws the win", AnalysisScore::matesIn(2), cp(100), false, 5, true},
    {"a mate missed, the game still won", AnalysisScore::matesIn(2), cp(1200), false, 1, false},
};

TEST(CoachWarning, TheThresholdAndTheMates) {
    for (const WarningCase& c : kWarnings)
        EXPECT_EQ(coachWarns(c.best, c.after, c.playedIsBest, c.threshold), c.warns) << c.name;
}

TEST(CoachWarning, TheBoxSaysWhatWasLostAndWhatWasBetter) {
    EXPECT_EQ(coachWarningText(cp(-20), cp(-340), "Dxd5"),
              "Ce coup perd environ 3,2 pions. Meilleur : Dxd5.");
    EXPECT_EQ(coachWarningText(cp(0), cp(-150), "Cf3"), "Ce coup perd environ 1,5 pion. Meilleur : Cf3.");
    EXPECT_EQ(coachWarningText(cp(0), cp(-196), "Cf3"), "Ce coup perd environ 2,0 pions. Meilleur : Cf3.");
    // The whole difference, not the bounded one: a queen is a queen.
    EXPECT_EQ(coachWarningText(cp(-20), cp(-1400), ""), "Ce coup perd environ 13,8 pions.");
    EXPECT_EQ(coachWarningText(cp(0), AnalysisScore::matedIn(2), "Rg1"),
              "Ce coup permet à l'adversaire de mater en 2. Meilleur : Rg1.");
    EXPECT_EQ(coachWarningText(AnalysisScore::matesIn(3), cp(100), "Dh7+"),
              "Ce coup laisse passer un mat en 3. Meilleur : Dh7+.");
}

// The hint's arrow

TEST(HintArrow, ChessSquaresInEveryView) {
    const struct {
        ChessSquare square;
        bool playerIsBlack, boardTurned;
        QPoint picture;
    } cases[] = {
        {{5, 2}, false, false, {5, 7}}, {{5, 2}, true, false, {5, 7}},  {{5, 2}, false, true, {4, 2}},
        {{5, 2}, true, true, {4, 2}},   {{1, 8}, false, false, {1, 1}}, {{1, 8}, true, true, {8, 8}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pictureSquareOfChess(c.square, c.playerIsBlack, c.boardTurned), c.picture)
            << c.square.file << c.square.rank << c.playerIsBlack << c.boardTurned;
}

// Two colours far apart, whatever the scheme: the arrow's edge or its halo.
int distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

TEST(HintArrow, ReadsOnEverySquareColourAndScale) {
    const QColor schemes[] = {QColor(0x5A, 0x64, 0x98), QColor(0xF0, 0xF0, 0xF0), QColor(30, 170, 80),
                              QColor(0, 0, 0),          QColor(255, 255, 255),    QColor(10, 45, 20)};
    for (const qreal scale : {1.0, 2.0}) {
        for (const QColor& square : schemes) {
            QImage picture(QSize(480, 480) * scale, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(scale);
            picture.fill(square);
            // e2 to e4 in White's view: a vertical arrow up the e-file.
            drawHintArrow(picture, {5, 2}, {5, 4}, false, false);
            const QPoint e2 = pictureSquareOfChess({5, 2}, false, false);
            const QPoint e4 = pictureSquareOfChess({5, 4}, false, false);
            const double y = (QRectF(board::squareRectInImage(e2.x(), e2.y())).center().y() +
                              QRectF(board::squareRectInImage(e4.x(), e4.y())).center().y()) /
                             2;
            const double x = QRectF(board::squareRectInImage(e2.x(), e2.y())).center().x();
            // Across the shaft, something stands out from the square.
            int best = 0;
            for (double dx = -10; dx <= 10; dx += 0.5)
                best = std::max(
                    best,
                    distance(picture.pixelColor(QPointF((x + dx) * scale, y * scale).toPoint()), square));
            EXPECT_GT(best, 200) << "square " << square.name().toStdString() << " at scale " << scale;
            // And the arrow stays within its squares' file.
            EXPECT_EQ(picture.pixelColor(QPointF((x + 30) * scale, y * scale).toPoint()), square);
        }
    }
}

}  // namespace
}  // namespace quorvel
