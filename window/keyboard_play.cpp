#include "window/keyboard_play.h"

#include "rules/spoken_texts.h"
#include "window/board_view.h"
#include "window/game_controller.h"
#include "window/move_announcer.h"
#include "window/move_entry.h"
#include "window/move_field.h"

namespace quorvel {

namespace {

const QString kChosen = QStringLiteral(", pièce choisie");

}  // namespace

KeyboardPlay::KeyboardPlay(GameController& controller, MoveEntry& moves, MoveAnnouncer& announcer,
                           BoardView& view, MoveField& field)
    : controller_(controller), moves_(moves), announcer_(announcer), view_(view), field_(field) {
    view_.setSelectionQuery([this] { return hasSelection(); });
    const GameRecord& record = controller_.state().record;
    focus_ = board::humanKingSquare(record.current, record.playerIsBlack);
    placeFocusSquare();
}

bool KeyboardPlay::hasSelection() const {
    const PlayState& play = controller_.state();
    return play.markerOn && !play.searchRunning;
}

void KeyboardPlay::stepFocus(int dx, int dy) {
    userMovedFocus_ = true;
    backToField_ = false;
    focus_ = board::stepFocus(focus_, dx, dy, controller_.display().boardTurned);
    placeFocusSquare();
    announcer_.sayAside(focusText(), true);
}

void KeyboardPlay::pressFocus() {
    backToField_ = false;
    const bool selectedBefore = hasSelection();
    moves_.pressSquare(board::storedSquareOf(focus_, controller_.state().record.playerIsBlack));
    // A piece picked up is said; a move played says itself.
    if (!selectedBefore && hasSelection()) announcer_.sayAside(focusText(), true);
}

void KeyboardPlay::dropSelection() {
    moves_.dropSelection();
}

void KeyboardPlay::startTyping(const QString& text) {
    if (!field_.isEnabled()) return;
    field_.setFocus(Qt::ShortcutFocusReason);
    field_.setText(text);
}

void KeyboardPlay::focusField() {
    if (field_.isEnabled()) field_.setFocus(Qt::ShortcutFocusReason);
}

void KeyboardPlay::playTypedText() {
    playingTyped_ = true;
    const QString refusal = moves_.playTyped(field_.text());
    playingTyped_ = false;
    if (refusal.isEmpty()) return;
    controller_.state().statusText = refusal;
    controller_.repaint();
    announcer_.sayAside(refusal, true);
}

void KeyboardPlay::movePlayed() {
    if (playingTyped_) field_.clear();
}

QString KeyboardPlay::focusText() const {
    return view_.squareText(board::pictureSquareOfChess(focus_, controller_.display().boardTurned));
}

void KeyboardPlay::placeFocusSquare() {
    view_.setFocusSquare(board::pictureSquareOfChess(focus_, controller_.display().boardTurned));
}

void KeyboardPlay::refresh() {
    const PlayState& play = controller_.state();
    const GameRecord& record = play.record;
    // A new game gives the focus back to the human's king.
    if (record.plyCount == 0 && lastPlyCount_ != 0) userMovedFocus_ = false;
    lastPlyCount_ = record.plyCount;
    if (!userMovedFocus_) focus_ = board::humanKingSquare(record.current, record.playerIsBlack);

    Position chessBoard = record.current;
    if (record.playerIsBlack) mirrorPosition(chessBoard);
    const bool turned = controller_.display().boardTurned;
    const board::ChessSquare selected =
        board::chessSquareOf({play.selFile, play.selRank}, record.playerIsBlack);
    BoardView::SquareTexts texts;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const board::ChessSquare square = board::chessSquareOfPicture({c, r}, turned);
            QString text = QString::fromStdString(squareContents(chessBoard, square.file, square.rank));
            if (hasSelection() && square == selected) text += kChosen;
            texts[static_cast<std::size_t>(BoardView::squareIndex({c, r}))] = text;
        }
    }
    view_.setSquareTexts(std::move(texts));
    placeFocusSquare();
}

void KeyboardPlay::updateField(bool guardAllowsTyping) {
    const bool enabled = guardAllowsTyping && moves_.humanMayMove();
    if (enabled == field_.isEnabled()) return;
    // The window's focus widget, also while a box has the window's focus
    // (a check announced, the promotion chooser).
    const QWidget* focused = field_.window()->focusWidget();
    if (!enabled && focused == &field_) {
        // Greying the field would hand the focus to the next control (a
        // button Space would press): the board takes it, and gives it back.
        backToField_ = true;
        view_.setFocus(Qt::OtherFocusReason);
    }
    field_.setEnabled(enabled);
    if (enabled && backToField_ && field_.window()->focusWidget() == &view_)
        field_.setFocus(Qt::OtherFocusReason);
    if (enabled) backToField_ = false;
}

}  // namespace quorvel
