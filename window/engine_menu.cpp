#include "window/engine_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "window/command_ids.h"
#include "window/engine_opponents.h"

namespace quorvel {

namespace {
using Role = EngineOpponents::Role;
}  // namespace

EngineMenu::EngineMenu(QMenuBar* bar, const QString& before, std::function<void(int)> runCommand)
    : commands_(std::move(runCommand)) {
    menu_ = new QMenu(QStringLiteral("Ad&versaire"), bar);
    QAction* place = nullptr;
    for (QAction* action : bar->actions())
        if (action->text() == before) place = action;
    bar->insertMenu(place, menu_);

    auto addRoom = [this](QMenu* menu, int first) {
        for (int choice = 0; choice < cmd::kEngineRoom; ++choice) commands_.add(menu, first + choice, QString(), true);
    };
    addRoom(menu_, cmd::kOpponentFirst);
    menu_->addSeparator();
    addRoom(menu_->addMenu(QStringLiteral("Ordinateur / Ordinateur : les &Blancs")), cmd::kWhiteEngineFirst);
    addRoom(menu_->addMenu(QStringLiteral("Ordinateur / Ordinateur : les &Noirs")), cmd::kBlackEngineFirst);
    menu_->addSeparator();
    commands_.add(menu_, cmd::kEngineStrength, QStringLiteral("&Force du moteur..."), false);
    commands_.add(menu_, cmd::kAddEngine, QStringLiteral("&Ajouter un moteur..."), false);
    commands_.add(menu_, cmd::kManageEngines, QStringLiteral("&Gérer les moteurs..."), false);
}

void EngineMenu::showList(int firstId, const EngineOpponents& opponents) {
    const auto& engines = opponents.choices().engines;
    for (int choice = 0; choice < cmd::kEngineRoom; ++choice) {
        QAction* entry = action(firstId + choice);
        const bool listed = choice == 0 || (choice <= static_cast<int>(engines.size()) &&
                                            !engines[static_cast<std::size_t>(choice - 1)].removed);
        entry->setVisible(listed);
        if (!listed) continue;
        // A name's '&' is no shortcut.
        QString text = opponents.label(choice).replace('&', QStringLiteral("&&"));
        // Not dropped: a program installed again comes back with its settings.
        if (!opponents.installed(choice)) text += QStringLiteral(" (absent)");
        entry->setText(text);
    }
}

void EngineMenu::rebuild(const EngineOpponents& opponents) {
    showList(cmd::kOpponentFirst, opponents);
    showList(cmd::kWhiteEngineFirst, opponents);
    showList(cmd::kBlackEngineFirst, opponents);
}

void EngineMenu::updateStates(const std::function<bool(int)>& allowed, const EngineOpponents& opponents) {
    for (const int id : commands_.ids()) {
        bool enabled = allowed(id);
        for (const int first : {cmd::kOpponentFirst, cmd::kWhiteEngineFirst, cmd::kBlackEngineFirst})
            if (id >= first && id < first + cmd::kEngineRoom)
                enabled = enabled && opponents.installed(id - first);
        if (id == cmd::kEngineStrength)
            enabled = enabled && opponents.otherEngineChosen(Role::opponent) &&
                      opponents.installed(opponents.chosen(Role::opponent));
        commands_.action(id)->setEnabled(enabled);
    }
}

void EngineMenu::setChecks(const EngineOpponents& opponents) {
    const std::pair<int, Role> lists[] = {{cmd::kOpponentFirst, Role::opponent},
                                          {cmd::kWhiteEngineFirst, Role::white},
                                          {cmd::kBlackEngineFirst, Role::black}};
    for (const auto& [first, role] : lists) {
        const int chosen = opponents.chosen(role);
        for (int choice = 0; choice < cmd::kEngineRoom; ++choice)
            if (QAction* a = action(first + choice)) a->setChecked(choice == chosen);
    }
}

}  // namespace quorvel
