#pragma once
// The main window's menu: every command with its French text, known by its
// id, and the check marks set after each repaint.

#include <functional>

#include "window/command_actions.h"

class QAction;
class QMenu;
class QMenuBar;

namespace quorvel {

class MainMenu {
public:
    MainMenu(QMenuBar* bar, std::function<void(int)> runCommand);

    QAction* action(int id) const { return commands_.action(id); }
    void setChecked(int id, bool checked);
    // Ids in menu order, for tests.
    const QList<int>& ids() const { return commands_.ids(); }

private:
    QAction* add(QMenu* menu, int id, const char* text, bool checkable = false);
    void buildFile(QMenuBar* bar);
    void buildPlay(QMenuBar* bar);
    void buildOptions(QMenuBar* bar);
    void buildLevels(QMenuBar* bar);
    void buildDisplay(QMenuBar* bar);
    void buildHelp(QMenuBar* bar);

    CommandActions commands_;
};

}  // namespace quorvel
