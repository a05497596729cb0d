// The captured-pieces layout, the splash's self-closing, the windows that
// carry a clip when the clip is missing, and the help.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include "features/about_dialog.h"
#include "features/captured_pieces_window.h"
#include "features/help_window.h"
#include "features/program_version.h"
#include "features/splash_window.h"

namespace quorvel {
namespace {

// The starting army, Black (1..6) on rows 7-8, White (11..16) on rows 1-2.
Position fullBoard() {
    Position p;
    const int back[8] = {3, 4, 5, 2, 1, 5, 4, 3};
    for (int x = 1; x <= 8; ++x) {
        p.at(x, 1) = static_cast<std::int8_t>(back[x - 1] + 10);
        p.at(x, 2) = kLowerPawn;
        p.at(x, 7) = kUpperPawn;
        p.at(x, 8) = static_cast<std::int8_t>(back[x - 1]);
    }
    return p;
}

TEST(CapturedLayout, NothingMissingAtTheStart) {
    EXPECT_TRUE(layoutCapturedPieces(fullBoard()).empty());
}

TEST(CapturedLayout, WhiteLossesGoOnTheRowFiftyPixelsLower) {
    Position p = fullBoard();
    p.at(2, 1) = kEmpty;  // knight
    p.at(1, 2) = kEmpty;  // two pawns
    p.at(2, 2) = kEmpty;
    const auto placed = layoutCapturedPieces(p);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].code, kLowerKnight);
    EXPECT_EQ(placed[0].x, 180);
    EXPECT_EQ(placed[0].y, 60);
    EXPECT_EQ(placed[1].code, kLowerPawn);
    EXPECT_EQ(placed[1].x, 220);
    EXPECT_EQ(placed[2].x, 260);
    EXPECT_EQ(placed[2].y, 60);
}

TEST(CapturedLayout, NinePerRowInCodeOrderThenANewRowFortyLower) {
    Position p = fullBoard();
    for (int x = 1; x <= 8; ++x) {
        p.at(x, 7) = kEmpty;
        if (x != 5) p.at(x, 8) = kEmpty;  // all but the king
    }
    p.at(3, 1) = kEmpty;  // one white bishop
    const auto placed = layoutCapturedPieces(p);
    ASSERT_EQ(placed.size(), 16u);
    const int expectedCodes[15] = {2, 3, 3, 4, 4, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6};
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(placed[k].code, expectedCodes[k]) << k;
        EXPECT_EQ(placed[k].x, 180 + 40 * (k % 9)) << k;
        EXPECT_EQ(placed[k].y, k < 9 ? 10 : 50) << k;
    }
    EXPECT_EQ(placed[15].code, kLowerBishop);
    EXPECT_EQ(placed[15].x, 180);
    EXPECT_EQ(placed[15].y, 100);
}

TEST(CapturedLayout, PromotedPawnIsMissingAndAnExtraQueenIsNotShown) {
    Position p = fullBoard();
    p.at(1, 2) = kEmpty;
    p.at(1, 5) = kLowerQueen;  // the pawn became a second queen
    const auto placed = layoutCapturedPieces(p);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].code, kLowerPawn);
}

TEST(SplashWindow, ClosesItselfAfterThirtyTicks) {
    QElapsedTimer clock;
    clock.start();
    SplashWindow splash(QStringLiteral("no-such-clip.avi"));
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_EQ(splash.ticks(), SplashWindow::kTicks);
    // Thirty ticks of 100 ms: a timer never fires more than a few ms before
    // its moment, so 2.9 s is a floor on any machine; a busy one only delays
    // them, and 15 s leaves five times the room.
    EXPECT_GE(clock.elapsed(), 2900);
    EXPECT_LT(clock.elapsed(), 15000);
}

// The splash and the About box name the program's one version, the one the
// package and the title bar carry.
TEST(Version, TheSplashAndTheAboutBoxSayTheProgramsVersion) {
    auto labels = [](const QWidget& window) {
        QStringList texts;
        for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
        return texts;
    };
    const SplashWindow splash(QStringLiteral("no-such-clip.avi"));
    const AboutDialog about(QStringLiteral("no-such-clip.avi"));
    for (const QStringList& texts : {labels(splash), labels(about)}) {
        EXPECT_TRUE(texts.contains(programTitle())) << texts.join(" | ").toStdString();
        for (const QString& text : texts)
            EXPECT_FALSE(text.contains(QStringLiteral("1.050"))) << text.toStdString();
    }
}

void closeSoon(int ms = 200) {
    QTimer::singleShot(ms, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->accept();
    });
}

TEST(ClipsMissing, AboutAndCapturedPiecesStillOpenAndClose) {
    QTemporaryDir emptyFolder;
    {
        AboutDialog about(emptyFolder.filePath("apropos.avi"));
        closeSoon();
        EXPECT_EQ(about.exec(), QDialog::Accepted);
        EXPECT_FALSE(about.clipPlaying());
    }
    CapturedPiecesWindow captured(fullBoard(), 20, emptyFolder.filePath("pieceprise.avi"));
    closeSoon();
    EXPECT_EQ(captured.exec(), QDialog::Accepted);
    EXPECT_EQ(captured.windowTitle(), QString::fromUtf8("Pièces capturées :"));
}

// With our real clips, when the multimedia back-end can play them: the
// windows open, play and close without waiting for the clip's end.
TEST(ClipsPresent, AboutAndCapturedPiecesPlayAndClose) {
    const QString clips = QStringLiteral(QUORVEL_CLIPS_DIR);
    if (!QFileInfo::exists(clips + "/apropos.avi")) GTEST_SKIP() << "clips not built";
    {
        AboutDialog about(clips + "/apropos.avi");
        // Closed once a frame is shown, or when the back-end has not started
        // the clip after 1.5 s; a loaded machine may take seconds for the
        // first frame, so the cap is generous.
        QElapsedTimer waited;
        waited.start();
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            const bool idle = waited.elapsed() > 1500 && !about.clipPlaying();
            if (about.clipFramesShown() > 0 || idle || waited.elapsed() > 30000) about.accept();
        });
        check.start(50);
        EXPECT_EQ(about.exec(), QDialog::Accepted);
        // Frames reach the window whenever the back-end could start the clip.
        if (about.clipPlaying()) {
            EXPECT_GT(about.clipFramesShown(), 0);
        }
    }
    Position p = fullBoard();
    p.at(4, 8) = kEmpty;
    CapturedPiecesWindow captured(p, 40, clips + "/pieceprise.avi");
    closeSoon();
    EXPECT_EQ(captured.exec(), QDialog::Accepted);
}

TEST(HelpWindow, OpensOurFrenchHelp) {
    HelpWindow help;
    help.showContents();
    EXPECT_TRUE(help.isVisible());
    for (const char* topic : {"ouvertures.txt", "quorvel.ini", "partie.tmp", ".ech"})
        EXPECT_TRUE(help.html().contains(QString::fromLatin1(topic))) << topic;
    // The board is shown from White's side: with Black, the player's
    // pieces are at the top.
    EXPECT_FALSE(help.html().contains(QString::fromUtf8("toujours en bas")));
    EXPECT_TRUE(help.html().contains(QString::fromUtf8("elles sont en haut")));
    help.close();
}

}  // namespace
}  // namespace quorvel
