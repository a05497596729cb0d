#pragma once
// A pair of arrow buttons that report steps of +1 or -1, like the platform's
// up-down control: vertical (down = +1) or horizontal (right = +1).

#include <QWidget>

namespace quorvel {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    UpDownControl(Qt::Orientation orientation, QWidget* parent = nullptr);
    // The names screen readers give the two arrows.
    void nameArrows(const QString& back, const QString& forward);

Q_SIGNALS:
    void stepped(int delta);
    // The pointer moved over the control (in its parent's coordinates), or
    // left it: the control lies over a toolbar zone whose help text the
    // window shows.
    void pointerMoved(QPoint inParent);
    void pointerLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QWidget* back_ = nullptr;
    QWidget* forward_ = nullptr;
};

}  // namespace quorvel
