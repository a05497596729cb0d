#pragma once
// A pair of arrow buttons that report steps of +1 or -1, like the platform's
// up-down control: vertical (down = +1) or horizontal (right = +1).

#include <QWidget>

namespace quorvel {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    UpDownControl(Qt::Orientation orientation, QWidget* parent = nullptr);

Q_SIGNALS:
    void stepped(int delta);
};

}  // namespace quorvel
