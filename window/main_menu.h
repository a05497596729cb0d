#pragma once
// The main window's menu: every command with its French text, known by its
// id, and the check marks set after each repaint.

#include <QHash>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace quorvel {

class MainMenu {
public:
    MainMenu(QMenuBar* bar, std::function<void(int)> runCommand);

    QAction* action(int id) const { return actions_.value(id, nullptr); }
    void setChecked(int id, bool checked);
    // Ids in menu order, for tests.
    const QList<int>& ids() const { return order_; }

private:
    QAction* add(QMenu* menu, int id, const char* text, bool checkable = false);
    void buildFile(QMenuBar* bar);
    void buildPlay(QMenuBar* bar);
    void buildOptions(QMenuBar* bar);
    void buildLevels(QMenuBar* bar);
    void buildDisplay(QMenuBar* bar);
    void buildHelp(QMenuBar* bar);

    std::function<void(int)> runCommand_;
    QHash<int, QAction*> actions_;
    QList<int> order_;
};

}  // namespace quorvel
