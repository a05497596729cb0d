#include "window/board_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include "resources/artwork.h"
#include "window/board_accessible.h"

namespace quorvel {

namespace {

// The characters a typed move may start with: files, ranks, castling and
// the piece letters of both languages.
bool startsTypedMove(const QString& text) {
    static const QString kFirst = QStringLiteral("abcdefghABCDEFGH012345678oOKQRNBPDTCFkqrntp");
    return text.size() == 1 && kFirst.contains(text[0]);
}

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isPress(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

void paintFocusSquare(QPainter& painter, const QRectF& square, qreal zoom) {
    // Inside the square's one-pixel outline: three pixels of black, then
    // two of white (at the window's smallest), so the ring shows on every
    // colour a square may have.
    const QRectF outer = square.adjusted(zoom, zoom, -zoom, -zoom);
    const qreal black = 3 * zoom, white = 2 * zoom;
    const QRectF inner = outer.adjusted(black, black, -black, -black);
    QPainterPath ring;
    ring.addRect(outer);
    ring.addRect(inner);
    painter.fillPath(ring, Qt::black);
    QPainterPath light;
    light.addRect(inner);
    light.addRect(inner.adjusted(white, white, -white, -white));
    painter.fillPath(light, Qt::white);
}

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    installBoardAccessibility();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMinimumSize(board::ViewGeometry::kBaseViewSize);
    resize(board::ViewGeometry::kBaseViewSize);
    refit();
}

bool BoardView::refit() {
    const board::ViewGeometry fitted = board::ViewGeometry::fitting(size(), devicePixelRatioF());
    if (fitted == geometry_) return false;
    geometry_ = fitted;
    return true;
}

void BoardView::setPicture(QImage image, int hoverZone) {
    picture_ = std::move(image);
    hoverZone_ = hoverZone;
    update();
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (refit()) Q_EMIT scaleChanged();
}

void BoardView::paintEvent(QPaintEvent*) {
    // The screen may have changed since the last size change.
    refit();
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    for (int zone = 1; zone <= board::kToolbarZones; ++zone)
        painter.drawPixmap(geometry_.toolbarIconPosition(zone), art::toolbarIcon(zone, false, ratio));
    if (hoverZone_ >= 1 && hoverZone_ <= board::kToolbarZones)
        painter.drawPixmap(geometry_.toolbarIconPosition(hoverZone_),
                           art::toolbarIcon(hoverZone_, true, ratio));
    if (picture_.isNull()) return;
    // The source region is in the picture's own (device) pixels, as many as
    // the board takes on the screen.
    const qreal pictureRatio = picture_.devicePixelRatio();
    const QSizeF shown(board::kShownSize, board::kShownSize);
    painter.drawImage(geometry_.boardRect(), picture_,
                      QRectF(QPointF(board::kImageSource) * pictureRatio, shown * pictureRatio));
    if (!qFuzzyCompare(pictureRatio, geometry_.pictureScale())) Q_EMIT scaleChanged();
    if (hasFocus() && focusShown_)
        paintFocusSquare(painter, geometry_.pictureSquareRect(focusSquare_.x(), focusSquare_.y()),
                         geometry_.zoom());
}

void BoardView::setFocusSquare(QPoint pictureSquare) {
    if (pictureSquare == focusSquare_) return;
    focusSquare_ = pictureSquare;
    update();
    reportFocusSquare();
}

void BoardView::setSquareTexts(SquareTexts texts) {
    const int focused = squareIndex(focusSquare_);
    const bool focusedChanged =
        texts[static_cast<std::size_t>(focused)] != squareTexts_[static_cast<std::size_t>(focused)];
    squareTexts_ = std::move(texts);
    if (focusedChanged && hasFocus() && QAccessible::isActive()) {
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(this);
        if (QAccessibleInterface* cell = board ? board->child(focused) : nullptr) {
            QAccessibleEvent changed(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
}

const QString& BoardView::squareText(QPoint pictureSquare) const {
    return squareTexts_[static_cast<std::size_t>(squareIndex(pictureSquare))];
}

void BoardView::reportFocusSquare() {
    if (!hasFocus() || !QAccessible::isActive()) return;
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface* cell = board ? board->child(squareIndex(focusSquare_)) : nullptr) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

bool BoardView::wantsKey(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier) return false;
    if (isArrow(key.key()) || isPress(key.key())) return true;
    if (key.key() == Qt::Key_Escape) return hasSelection_ && hasSelection_();
    return startsTypedMove(key.text());
}

bool BoardView::event(QEvent* event) {
    // The window's Enter, Escape and letter shortcuts wait while the board
    // has a use for the key.
    if (event->type() == QEvent::ShortcutOverride && wantsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    if (!wantsKey(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    showFocusSquare();
    switch (event->key()) {
        case Qt::Key_Left:
            Q_EMIT focusStepped(-1, 0);
            return;
        case Qt::Key_Right:
            Q_EMIT focusStepped(+1, 0);
            return;
        case Qt::Key_Up:
            Q_EMIT focusStepped(0, -1);
            return;
        case Qt::Key_Down:
            Q_EMIT focusStepped(0, +1);
            return;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Q_EMIT focusPressed();
            return;
        case Qt::Key_Escape:
            Q_EMIT escapePressed();
            return;
        default:
            Q_EMIT typingStarted(event->text());
    }
}

void BoardView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        focusShown_ = true;
    update();
    reportFocusSquare();
}

void BoardView::showFocusSquare() {
    if (focusShown_) return;
    focusShown_ = true;
    update();
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

QImage BoardView::grabClient() {
    return grab().toImage();
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(geometry_.toBase(event->position()));
}

void BoardView::leaveEvent(QEvent* event) {
    Q_EMIT mouseLeft();
    QWidget::leaveEvent(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    // The mouse's player needs no focus square; the keyboard's gets it back
    // with its next key.
    if (focusShown_) {
        focusShown_ = false;
        update();
    }
    const QPoint base = geometry_.toBase(event->position());
    if (event->button() == Qt::LeftButton) Q_EMIT leftPressed(base);
    if (event->button() == Qt::RightButton) Q_EMIT rightPressed(base);
}

void BoardView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // One step per message, whatever the size of the turn; towards the user
    // (negative) scrolls forward.
    if (delta != 0) Q_EMIT wheelTurned(delta < 0 ? +1 : -1);
}

}  // namespace quorvel
