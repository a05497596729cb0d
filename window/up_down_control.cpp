#include "window/up_down_control.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QToolButton>

namespace quorvel {

UpDownControl::UpDownControl(Qt::Orientation orientation, QWidget* parent) : QWidget(parent) {
    auto* layout =
        new QBoxLayout(orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* back = new QToolButton(this);
    auto* forward = new QToolButton(this);
    back->setArrowType(orientation == Qt::Vertical ? Qt::UpArrow : Qt::LeftArrow);
    forward->setArrowType(orientation == Qt::Vertical ? Qt::DownArrow : Qt::RightArrow);
    for (QToolButton* button : {back, forward}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        button->setMouseTracking(true);
        button->installEventFilter(this);
        layout->addWidget(button);
    }
    back_ = back;
    forward_ = forward;
    connect(back, &QToolButton::clicked, this, [this] { Q_EMIT stepped(-1); });
    connect(forward, &QToolButton::clicked, this, [this] { Q_EMIT stepped(+1); });
}

void UpDownControl::nameArrows(const QString& back, const QString& forward) {
    back_->setAccessibleName(back);
    forward_->setAccessibleName(forward);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && parentWidget()) {
        const auto* button = static_cast<QWidget*>(watched);
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        Q_EMIT pointerMoved(button->mapTo(parentWidget(), at));
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::leaveEvent(QEvent* event) {
    Q_EMIT pointerLeft();
    QWidget::leaveEvent(event);
}

}  // namespace quorvel
