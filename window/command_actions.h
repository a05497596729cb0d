#pragma once
// Menu entries known by their command id. A click runs the command through
// the window's one entry; check marks follow the game's state, set after
// each repaint, never by the click itself.

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace quorvel {

class CommandActions {
public:
    explicit CommandActions(std::function<void(int)> runCommand);

    QAction* add(QMenu* menu, int id, const QString& text, bool checkable);
    QAction* action(int id) const { return actions_.value(id, nullptr); }
    // Ids in the order they were added.
    const QList<int>& ids() const { return order_; }

private:
    std::function<void(int)> runCommand_;
    QHash<int, QAction*> actions_;
    QList<int> order_;
};

}  // namespace quorvel
