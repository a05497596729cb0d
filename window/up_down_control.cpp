#include "window/up_down_control.h"

#include <QBoxLayout>
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
        layout->addWidget(button);
    }
    connect(back, &QToolButton::clicked, this, [this] { Q_EMIT stepped(-1); });
    connect(forward, &QToolButton::clicked, this, [this] { Q_EMIT stepped(+1); });
}

}  // namespace quorvel
