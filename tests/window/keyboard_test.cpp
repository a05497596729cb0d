// Playing without the mouse: moves typed in the field "Coup :", the board's
// focus square moved by the arrows and pressed with Space or Enter, and the
// moves and the state of the game said aloud.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "rules/move_application.h"
#include "rules/record_positions.h"
#include "window/board_focus.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/keyboard_play.h"
#include "window/main_menu.h"
#include "window/move_field.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class Keyboard : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        board().setFocus();
        ASSERT_TRUE(board().hasFocus());
    }
    BoardView& board() { return window->boardView(); }
    MoveField& field() { return *window->layout().moveField; }
    void key(QWidget& to, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&to, k, modifiers);
    }
    // Types `text` in the field and presses Enter there.
    void typeMove(const char* text) {
        field().setFocus();
        field().setText(QString::fromUtf8(text));
        key(field(), Qt::Key_Return);
    }
    // The chess square under the board's focus square, "e1".
    std::string focusName() {
        const board::ChessSquare f = window->keyboard().focus();
        return {static_cast<char>('a' + f.file - 1), static_cast<char>('0' + f.rank)};
    }
    // Moves the focus square to `square` with the arrows.
    void arrowTo(const char* square) {
        const bool turned = controller().display().boardTurned;
        const QPoint target = board::pictureSquareOfChess({square[0] - 'a' + 1, square[1] - '0'}, turned);
        for (int guard = 0; guard < 16 && board().focusSquare() != target; ++guard) {
            const QPoint at = board().focusSquare();
            if (at.x() != target.x())
                key(board(), at.x() < target.x() ? Qt::Key_Right : Qt::Key_Left);
            else
                key(board(), at.y() < target.y() ? Qt::Key_Down : Qt::Key_Up);
        }
        ASSERT_EQ(focusName(), square);
    }
};

TEST_F(Keyboard, ATypedMoveTakesTheMousesRoad) {
    typeMove("e4");
    ASSERT_EQ(record().plyCount, 2);  // the computer replied
    EXPECT_EQ(record().moves[0].str(), "e2-e4");
    EXPECT_TRUE(field().text().isEmpty());
    EXPECT_TRUE(controller().timers().running());
    // The reply's recovery file holds both half-moves, as after two clicks.
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89 * 2);
    EXPECT_TRUE(field().isEnabled());
    EXPECT_TRUE(field().hasFocus());
}

TEST_F(Keyboard, RefusedTypedMovesSayWhyAndChangeNothing) {
    struct Row {
        const char* text;
        const char* status;
    };
    const Row rows[] = {
        {"Cf4", "Coup impossible : aucun cavalier ne peut aller en f4"},
        {"", "Tapez un coup, par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {"Xz", "Coup illisible : « Xz ». Tapez par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {"O-O", "Coup impossible : des pièces séparent le roi et la tour"},
    };
    const Position before = record().current;
    for (const Row& row : rows) {
        typeMove(row.text);
        EXPECT_EQ(shownStatus(), QString::fromUtf8(row.status)) << row.text;
        EXPECT_EQ(field().text(), QString::fromUtf8(row.text));  // kept for correction
    }
    EXPECT_EQ(record().plyCount, 0);
    EXPECT_EQ(record().current, before);
    EXPECT_FALSE(controller().state().searchRunning);
}

TEST_F(Keyboard, AnAmbiguousMoveListsItsCandidates) {
    controller().setModeHumanHuman();
    setFen("4k3/8/8/8/8/8/8/1N3NK1 w - - 0 1");
    typeMove("Cd2");
    EXPECT_EQ(shownStatus(), "Coup ambigu : Cbd2 ou Cfd2 ?");
    typeMove("Cfd2");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(record().moves[0].str(), "f1-d2");
}

TEST_F(Keyboard, TypedPromotionsAskOnlyWhenThePieceIsNotNamed) {
    controller().setModeHumanHuman();
    setFen("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    dialogs.promotions.push_back(kLowerKnight);
    typeMove("b8");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_TRUE(dialogs.promotions.empty());  // the chooser was asked
    EXPECT_EQ(pieceKind(positionAtPly(record(), 1).board.at(2, 8)), kUpperKnight);

    setFen("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    dialogs.promotions.push_back(kLowerKnight);
    typeMove("b8=T");
    ASSERT_EQ(record().plyCount, 1);
    EXPECT_EQ(dialogs.promotions.size(), 1u);  // not asked
    EXPECT_EQ(pieceKind(positionAtPly(record(), 1).board.at(2, 8)), kUpperRook);
}

TEST_F(Keyboard, BlackTypesOnTheMirroredBoard) {
    controller().setModeHumanHuman();
    typeMove("e4");
    ASSERT_TRUE(record().playerIsBlack);  // the board went to Black
    EXPECT_EQ(shownStatus(), "C'est aux Noirs de jouer");
    typeMove("Cf6");
    typeMove("O-O");  // White's bishop and knight are still at home
    EXPECT_EQ(shownStatus(), "Coup impossible : des pièces séparent le roi et la tour");
    for (const char* move : {"Cf3", "e5", "Fe2", "Fc5", "O-O", "O-O"}) typeMove(move);
    ASSERT_EQ(record().plyCount, 8);
    EXPECT_EQ(record().moves[6].str(), "o-o");  // castling texts are never rank-converted
    EXPECT_EQ(record().moves[7].str(), "o-o");
    const ChessPosition now = positionAtPly(record(), 8);
    EXPECT_EQ(now.board.at(7, 8), kUpperKing);
    EXPECT_EQ(now.board.at(6, 8), kUpperRook);
    EXPECT_EQ(now.board.at(7, 1), kLowerKing);
}

TEST_F(Keyboard, TheFieldIsGreyedWhenTheHumanMayNotMove) {
    bool probedDuringSearch = false;
    controller().engineOptions().maxDepthMain = 10;
    controller().limits().mainTimeLimit = 1;
    controller().limits().secondaryTimeLimit = 1;
    QObject::connect(&controller(), &GameController::panelRefreshNeeded, window.get(), [&] {
        if (probedDuringSearch || !play().searchRunning || controller().status().searchIdle) return;
        probedDuringSearch = true;
        EXPECT_FALSE(field().isEnabled());
        // The focus the field had waits on the board, not on a button.
        EXPECT_TRUE(board().hasFocus());
        const GameRecord before = record();
        field().setText("d4");
        window->runCommand(cmd::kPlayTypedMove);  // refused by the guard
        EXPECT_EQ(record().plyCount, before.plyCount);
        field().clear();
    });
    typeMove("e4");
    ASSERT_TRUE(probedDuringSearch);
    ASSERT_EQ(record().plyCount, 2);
    EXPECT_TRUE(field().isEnabled());
    EXPECT_TRUE(field().hasFocus());

    // A finished game takes no typed move.
    controller().setModeHumanHuman();
    setFen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
    typeMove("Ta8");
    ASSERT_TRUE(controller().gameOver());
    EXPECT_FALSE(field().isEnabled());
}

// A box (the check announced, a message) takes the window's focus while
// the computer moves: the field still gets it back for the next move.
TEST_F(Keyboard, TheFieldGetsTheFocusBackAlsoAfterAnotherWindowHadIt) {
    QWidget other;
    other.show();
    bool away = false;
    QObject::connect(&controller(), &GameController::panelRefreshNeeded, window.get(), [&] {
        if (away || !play().searchRunning) return;
        away = true;
        QApplication::setActiveWindow(&other);
    });
    controller().engineOptions().maxDepthMain = 10;
    controller().limits().mainTimeLimit = 1;
    controller().limits().secondaryTimeLimit = 1;
    typeMove("e4");
    ASSERT_TRUE(away);
    ASSERT_EQ(record().plyCount, 2);
    EXPECT_FALSE(window->isActiveWindow());
    EXPECT_EQ(window->focusWidget(), &field());
}

TEST_F(Keyboard, ALetterOnTheBoardStartsTheTypedMoveAndCtrlLFindsTheField) {
    key(board(), Qt::Key_E);
    EXPECT_TRUE(field().hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "4");
    EXPECT_EQ(field().text(), "e4");
    key(field(), Qt::Key_Return);
    ASSERT_EQ(record().plyCount, 2);
    EXPECT_EQ(record().moves[0].str(), "e2-e4");

    board().setFocus();
    key(board(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(field().hasFocus());
    // Escape empties the field, and only then is the window's.
    field().setText("Cf3");
    key(field(), Qt::Key_Escape);
    EXPECT_TRUE(field().text().isEmpty());
    EXPECT_TRUE(window->isVisible());
}

// Space or Enter on the focus square, twice, play as two clicks do; the
// arrows follow the screen whichever way the board is turned.
TEST_F(Keyboard, TheFocusSquarePlaysAsTwoClicks) {
    EXPECT_EQ(focusName(), "e1");  // the human's king
    key(board(), Qt::Key_Up);
    EXPECT_EQ(focusName(), "e2");
    key(board(), Qt::Key_Space);
    EXPECT_TRUE(play().markerOn);
    EXPECT_EQ(window->keyboard().focusText(), "e2, pion blanc, pièce choisie");
    key(board(), Qt::Key_Escape);  // drops the selection, the window stays
    EXPECT_FALSE(play().markerOn);
    EXPECT_TRUE(window->isVisible());
    key(board(), Qt::Key_Return);
    key(board(), Qt::Key_Up);
    key(board(), Qt::Key_Up);
    key(board(), Qt::Key_Enter);
    ASSERT_EQ(record().plyCount, 2);
    EXPECT_EQ(record().moves[0].str(), "e2-e4");

    // Turned, up is towards White's side.
    window->runCommand(cmd::kTurnBoard);
    key(board(), Qt::Key_Up);
    EXPECT_EQ(focusName(), "e3");
    key(board(), Qt::Key_Left);
    EXPECT_EQ(focusName(), "f3");
    const QPoint picture = board::pictureSquareOfChess({6, 3}, true);
    EXPECT_EQ(board().focusSquare(), picture);
    // At the edge the focus stays.
    for (int i = 0; i < 9; ++i) key(board(), Qt::Key_Right);
    EXPECT_EQ(focusName(), "a3");
}

TEST_F(Keyboard, TheFocusStartsOnTheHumansKingWhateverItsColour) {
    window->runCommand(cmd::kComputerFirst);  // the human takes Black
    ASSERT_TRUE(record().playerIsBlack);
    EXPECT_EQ(focusName(), "e8");
    // The picture shows White at the bottom: the focus is at the top.
    EXPECT_EQ(board().focusSquare(), QPoint(5, 1));
    arrowTo("e7");
    key(board(), Qt::Key_Space);
    arrowTo("e5");
    key(board(), Qt::Key_Space);
    ASSERT_EQ(record().plyCount, 3);
    EXPECT_EQ(record().moves[1].str(), "e7-e5");
}

TEST_F(Keyboard, EscapeWithoutASelectionIsTheWindows) {
    key(board(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

// The focus square's rings, on a light and a dark square and on the
// selection's red, and none while another control has the focus.
TEST_F(Keyboard, TheFocusSquareIsSeenOnEverySquare) {
    auto ring = [&](const char* square) {
        arrowTo(square);
        const QImage view = board().grabClient();
        const QRect rect = board()
                               .geometry()
                               .pictureSquareRect(board().focusSquare().x(), board().focusSquare().y())
                               .toAlignedRect();
        const qreal ratio = view.devicePixelRatio();
        auto at = [&](int dx, int dy) {
            return view.pixel(
                QPoint(int((rect.left() + dx) * ratio), int((rect.top() + rect.height() / 2 + dy) * ratio)));
        };
        // Three pixels of black from the outline in, then two of white.
        return std::pair{at(2, 0), at(5, 0)};
    };
    key(board(), Qt::Key_Right);  // the keyboard in use: the focus square shows
    for (const char* square : {"e1", "d1", "e4", "d4"}) {
        const auto [outer, inner] = ring(square);
        EXPECT_EQ(outer, qRgb(0, 0, 0)) << square;
        EXPECT_EQ(inner, qRgb(255, 255, 255)) << square;
    }
    arrowTo("e2");
    key(board(), Qt::Key_Space);  // the marker fills the square red
    const auto [outer, inner] = ring("e2");
    EXPECT_EQ(outer, qRgb(0, 0, 0));
    EXPECT_EQ(inner, qRgb(255, 255, 255));

    field().setFocus();
    const QImage unfocused = board().grabClient();
    const QRect rect = board()
                           .geometry()
                           .pictureSquareRect(board().focusSquare().x(), board().focusSquare().y())
                           .toAlignedRect();
    EXPECT_EQ(unfocused.pixel(rect.left() + 2, rect.center().y()), qRgb(255, 0, 0));
}

// The mouse's player sees no focus square: it shows with the keyboard's
// first key on the board and goes with the next click.
TEST_F(Keyboard, TheFocusSquareShowsWhileTheKeyboardIsInUse) {
    auto ringShown = [&] {
        const QImage view = board().grabClient();
        const QRect rect = board()
                               .geometry()
                               .pictureSquareRect(board().focusSquare().x(), board().focusSquare().y())
                               .toAlignedRect();
        const qreal ratio = view.devicePixelRatio();
        return view.pixel(QPoint(int((rect.left() + 2) * ratio), int(rect.center().y() * ratio))) ==
               qRgb(0, 0, 0);
    };
    EXPECT_FALSE(ringShown());  // the board has the focus from the start
    key(board(), Qt::Key_Right);
    EXPECT_TRUE(ringShown());
    leftClick(chessSquarePoint("e2"));
    EXPECT_TRUE(board().hasFocus());
    EXPECT_FALSE(ringShown());
    key(board(), Qt::Key_Left);
    EXPECT_TRUE(ringShown());
}

TEST_F(Keyboard, MovesAreSpokenWhenTheOptionIsOn) {
    typeMove("e4");
    EXPECT_TRUE(speaker->said.isEmpty());  // off by default

    window->runCommand(cmd::kAnnounceMoves);
    EXPECT_TRUE(window->menu().action(cmd::kAnnounceMoves)->isChecked());
    typeMove("Cf3");
    ASSERT_EQ(record().plyCount, 4);
    ASSERT_GE(speaker->said.size(), 2);
    EXPECT_EQ(speaker->said[0], "Cavalier f3");
    EXPECT_FALSE(speaker->said[1].isEmpty());  // the computer's reply

    speaker->said.clear();
    typeMove("Cf4");
    EXPECT_EQ(speaker->last(), "Coup impossible : aucun cavalier ne peut aller en f4");

    window->runCommand(cmd::kAnnounceMoves);
    speaker->said.clear();
    typeMove("d4");
    EXPECT_TRUE(speaker->said.isEmpty());
}

TEST_F(Keyboard, TheStateIsSaidOnRequest) {
    key(board(), Qt::Key_F5);
    EXPECT_EQ(speaker->last(), "Aucun coup joué");
    key(board(), Qt::Key_F7);
    EXPECT_EQ(speaker->last(),
              "Blancs : roi e1, dame d1, tours a1 et h1, fous c1 et f1, cavaliers b1 et g1, "
              "pions a2, b2, c2, d2, e2, f2, g2 et h2");
    key(board(), Qt::Key_F8);
    EXPECT_TRUE(speaker->last().startsWith("Noirs : roi e8, dame d8"));
    record().whiteClock = 65;
    key(board(), Qt::Key_F6);
    EXPECT_EQ(speaker->last(), "Blancs : 1 minute 5 secondes. Noirs : 0 seconde");
    controller().setModeHumanHuman();
    typeMove("e4");
    key(board(), Qt::Key_F5);
    EXPECT_EQ(speaker->last(), "Dernier coup, Blancs : Pion e4");

    // Without a voice the answer is on the status line, and the option waits.
    speaker->engineWorks = false;
    Q_EMIT speaker->availabilityChanged();
    QAction* option = window->menu().action(cmd::kAnnounceMoves);
    EXPECT_FALSE(option->isEnabled());
    EXPECT_TRUE(option->toolTip().contains("speech-dispatcher-espeak-ng"));
    window->runCommand(cmd::kSayLastMove);
    EXPECT_EQ(shownStatus(), "Dernier coup, Blancs : Pion e4");
}

TEST_F(Keyboard, TheOptionIsKeptInThePreferences) {
    window->runCommand(cmd::kAnnounceMoves);
    window->storePreferences();
    EXPECT_TRUE(window->preferences().flag("speech.announce", false));
    window->preferences().setFlag("speech.announce", false);
    window->applyPreferences();
    EXPECT_FALSE(window->announcer().enabled());
    EXPECT_FALSE(window->menu().action(cmd::kAnnounceMoves)->isChecked());
}

}  // namespace
}  // namespace quorvel::testing
