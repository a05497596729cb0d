#pragma once
// The menu "Adversaire": who plays the computer's side. Quorvel's own engine
// first, then each engine of the list (one not installed any more shown
// disabled), for "Ordinateur / Humain" and, in two submenus, for each side
// of "Ordinateur / Ordinateur"; then the engine's strength, adding an engine
// and the list's management. Every entry runs its command through the
// window's one entry.
//
// The entries are made once, a room of them per list, and shown, hidden and
// named again when the list changes: a command that changes the list may
// run from one of them, which must not be deleted under it.

#include <functional>

#include "window/command_actions.h"

class QAction;
class QMenu;
class QMenuBar;

namespace quorvel {

class EngineOpponents;

class EngineMenu {
public:
    // Placed before the menu titled `before` when the bar has one.
    EngineMenu(QMenuBar* bar, const QString& before, std::function<void(int)> runCommand);

    // Names and shows the entries of the list as it is now.
    void rebuild(const EngineOpponents& opponents);
    // Enables what `allowed` lets run, an engine only when it is installed,
    // and the strength only for an engine of another program.
    void updateStates(const std::function<bool(int)>& allowed, const EngineOpponents& opponents);
    void setChecks(const EngineOpponents& opponents);

    QMenu* menu() const { return menu_; }
    QAction* action(int id) const { return commands_.action(id); }
    const QList<int>& ids() const { return commands_.ids(); }

private:
    void showList(int firstId, const EngineOpponents& opponents);

    QMenu* menu_;
    CommandActions commands_;
};

}  // namespace quorvel
