#include "window/move_field.h"

#include <QKeyEvent>

namespace quorvel {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

MoveField::MoveField(QWidget* parent) : QLineEdit(parent) {
    // No move is longer ("Cg1xf3+!?" is nine characters).
    setMaxLength(16);
}

bool MoveField::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (isEnter(key->key()) || (key->key() == Qt::Key_Escape && !text().isEmpty()))) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void MoveField::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event->key())) {
        Q_EMIT submitted();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace quorvel
