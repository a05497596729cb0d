#include "window/command_actions.h"

#include <QAction>
#include <QMenu>

namespace quorvel {

CommandActions::CommandActions(std::function<void(int)> runCommand) : runCommand_(std::move(runCommand)) {}

QAction* CommandActions::add(QMenu* menu, int id, const QString& text, bool checkable) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setCheckable(checkable);
    // Qt has already flipped the mark: put it back, the repaint sets it.
    QObject::connect(action, &QAction::triggered, action, [this, action, id] {
        action->setChecked(!action->isChecked());
        runCommand_(id);
    });
    actions_.insert(id, action);
    order_.append(id);
    return action;
}

}  // namespace quorvel
