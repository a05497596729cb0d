#pragma once
// The field "Coup :" under the board, where the human types a move. Enter
// plays it, also though the window's Enter opens the About box elsewhere;
// Escape clears a text and, in an empty field, is the window's.

#include <QLineEdit>

namespace quorvel {

class MoveField : public QLineEdit {
    Q_OBJECT
public:
    explicit MoveField(QWidget* parent = nullptr);

Q_SIGNALS:
    // Enter was pressed: the text is to be played.
    void submitted();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel
