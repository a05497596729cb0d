// The printed score: its layout, then real pages written to a PDF file and
// read back with pdftotext.

#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "features/fake_dialog_service.h"
#include "features/game_printer.h"
#include "features/print_progress_window.h"
#include "features/program_version.h"
#include "features/score_layout.h"

namespace quorvel {
namespace {

std::vector<std::string> halfMoves(int count) {
    std::vector<std::string> moves;
    for (int i = 0; i < count; ++i) moves.push_back(i % 2 == 0 ? "e2-e4" : "e7-e5");
    return moves;
}

TEST(ScoreLayout, HeadingOnlyForAnEmptyGame) {
    const auto lines = layoutScore({}, 400);
    ASSERT_EQ(lines.size(), 4u);
    // The program's one version number, underlined.
    EXPECT_EQ(lines[0].text, " " + programTitle());
    EXPECT_EQ(lines[1].text, " " + QString(programTitle().size() + 1, '='));
    EXPECT_EQ(lines[0].x, 1600);
    EXPECT_EQ(lines[0].y, -1000);
    EXPECT_EQ(lines[1].y, -1400);
    EXPECT_EQ(lines[2].x, 1560);
    EXPECT_EQ(lines[2].y, -2600);
    EXPECT_EQ(lines[3].text, "    ------    -----");
    EXPECT_EQ(lines[3].y, -3000);
}

TEST(ScoreLayout, FiveHalfMovesGiveThreeLinesTheLastWithAnEmptyBlackColumn) {
    const auto lines = layoutScore(halfMoves(5), 400);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4].text, "1  :  e2-e4     e7-e5   ");
    EXPECT_EQ(lines[4].x, 1000);
    EXPECT_EQ(lines[4].y, -3600);
    EXPECT_EQ(lines[6].text, "3  :  e2-e4             ");
    EXPECT_EQ(lines[6].y, -4400);
}

TEST(ScoreLayout, PagesBreakPast270MillimetresWithoutATrailingBlankPage) {
    // 4 mm lines: move lines 9..67 on the first page, 1..67 on the next.
    const int firstPage = 67 - 9 + 1;
    auto lines = layoutScore(halfMoves(2 * (firstPage + 1)), 400);
    ASSERT_EQ(lines.size(), 4u + firstPage + 1);
    EXPECT_EQ(lines[4 + firstPage - 1].page, 0);
    EXPECT_EQ(lines[4 + firstPage - 1].y, -67 * 400);
    EXPECT_EQ(lines.back().page, 1);
    EXPECT_EQ(lines.back().y, -400);
    EXPECT_EQ(lines.back().text.left(3), "60 ");

    lines = layoutScore(halfMoves(2 * firstPage), 400);
    EXPECT_EQ(lines.back().page, 0);
}

TEST(ScoreLayout, ThreeDigitMoveNumbersKeepTheColumns) {
    EXPECT_EQ(scoreLine(100, "o-o-o", "h7xg8").indexOf("o-o-o"), scoreLine(1, "o-o-o", "").indexOf("o-o-o"));
}

class PrintedPdf : public ::testing::Test {
protected:
    // Prints to a PDF and returns its pages' texts.
    QStringList printPages(const std::vector<std::string>& moves) {
        const QString path = dir_.filePath("score.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        GamePrinter gamePrinter(boxes_);
        EXPECT_TRUE(gamePrinter.print(printer, moves));
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", path, "-"});
        EXPECT_TRUE(pdftotext.waitForFinished(60000));  // a second or less, unless the machine is busy
        QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
        return pages;
    }

    QTemporaryDir dir_;
    FakeDialogService boxes_;
};

TEST_F(PrintedPdf, EmptyGamePrintsTheHeadingOnly) {
    const QStringList pages = printPages({});
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(programTitle()));
    EXPECT_TRUE(pages[0].contains("===================="));
    EXPECT_TRUE(pages[0].contains(QRegularExpression("Blancs +Noirs")));
    EXPECT_FALSE(pages[0].contains(":"));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(PrintedPdf, FiveHalfMovesPrintThreeLines) {
    const QStringList pages = printPages({"e2-e4", "e7-e5", "g1-f3", "b8-c6", "f1-b5"});
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QRegularExpression("1 +: +e2-e4 +e7-e5")));
    EXPECT_TRUE(pages[0].contains(QRegularExpression("2 +: +g1-f3 +b8-c6")));
    EXPECT_TRUE(pages[0].contains(QRegularExpression("3 +: +f1-b5\\s*\\n")));
    EXPECT_EQ(pages[0].count(QRegularExpression("\\d+ +:  ")), 3);
}

TEST_F(PrintedPdf, LongGameContinuesOnASecondPageWithoutHeading) {
    // Sixty lines fill more than the first page (at most 59 lines below the
    // heading) but not two, for any line height of 4 to 6 mm.
    const QStringList pages = printPages(halfMoves(120));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_FALSE(pages[1].contains("Quorvel version"));
    EXPECT_TRUE(pages[1].contains(QRegularExpression("60 +: +e2-e4 +e7-e5")));
    EXPECT_TRUE(pages[0].contains(QRegularExpression("\\b1 +: +e2-e4")));
}

TEST(PrintFailure, APrinterThatCannotStartSaysSo) {
    FakeDialogService boxes;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/score.pdf");
    GamePrinter gamePrinter(boxes);
    EXPECT_FALSE(gamePrinter.print(printer, halfMoves(3)));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Erreur Quorvel 1.0");
    EXPECT_EQ(boxes.boxes[0].text, "Impossible d'imprimer");
}

TEST(PrintProgress, ClosesItselfAfterTwoTicks) {
    PrintProgressWindow progress(nullptr, 20);
    EXPECT_EQ(progress.windowTitle(), "Quorvel 1.0");
    EXPECT_EQ(progress.exec(), QDialog::Accepted);
    EXPECT_EQ(progress.ticks(), 2);
}

}  // namespace
}  // namespace quorvel
