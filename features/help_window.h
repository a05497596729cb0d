#pragma once
// The program's help, in French, in a window of its own that stays open
// beside the game until the user or the main window closes it.

#include <QWidget>

class QTextBrowser;

namespace quorvel {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the help from its contents page and brings it to the front.
    void showContents();

    // The HTML of the help, for tests.
    QString html() const;

private:
    QTextBrowser* browser_;
};

}  // namespace quorvel
