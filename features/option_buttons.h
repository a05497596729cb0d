#pragma once
// The row at the foot of an options dialog: "OK" (the default button),
// "Par défaut" and "Annuler", right-aligned in that order.

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace quorvel {

struct OptionButtons {
    QPushButton* ok;
    QPushButton* defaults;
    QPushButton* cancel;
    QHBoxLayout* row;  // to add to the dialog's layout
};

OptionButtons makeOptionButtons(QWidget* dialog);

}  // namespace quorvel
