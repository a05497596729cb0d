// The commands of the menu "Adversaire": choosing who plays the computer's
// side, its strength, adding an engine and managing the list.

#include "features/add_engine_dialog.h"
#include "features/dialog_service.h"
#include "features/engine_list_dialog.h"
#include "features/engine_strength_dialog.h"
#include "features/file_locations.h"
#include "uci/engine_command.h"
#include "window/command_ids.h"
#include "window/game_window.h"
#include "window/level_commands.h"

namespace quorvel {

namespace {
using Role = EngineOpponents::Role;

std::optional<std::pair<int, int>> rangeOf(const std::optional<IntRange>& range) {
    if (!range) return std::nullopt;
    return std::pair{range->low, range->high};
}
}  // namespace

void GameWindow::loadEngineList() {
    // A settings folder found unusable at start-up keeps nothing this session.
    const std::string path = settingsWritable_
                                 ? (locations_.folders().config + '/' + kEngineListFileName).toStdString()
                                 : std::string();
    controller_.opponents().load(path, findKnownEngines());
    // "Niveau 9" and up, where Stockfish is installed.
    levels_->showLadder(*menu_, true);
}

QString GameWindow::otherEngineName() const {
    const EngineOpponents& opponents = controller_.opponents();
    if (!opponents.otherEngineChosen(Role::opponent)) return {};
    return opponents.label(opponents.chosen(Role::opponent));
}

bool GameWindow::runEngineCommand(int id) {
    EngineOpponents& opponents = controller_.opponents();
    const std::pair<int, Role> lists[] = {{cmd::kOpponentFirst, Role::opponent},
                                          {cmd::kWhiteEngineFirst, Role::white},
                                          {cmd::kBlackEngineFirst, Role::black}};
    for (const auto& [first, role] : lists) {
        if (id < first || id >= first + cmd::kEngineRoom) continue;
        opponents.choose(role, id - first);
        repaintAll();
        return true;
    }
    switch (id) {
        case cmd::kEngineStrength: {
            const int choice = opponents.chosen(Role::opponent);
            const EngineEntry* chosen = opponents.choices().engine(choice);
            if (!chosen) return true;
            EngineEntry entry = *chosen;
            if (editEngineStrength(entry)) opponents.setStrength(choice, entry.strength);
            break;
        }
        case cmd::kAddEngine:
            addEngine();
            break;
        case cmd::kManageEngines:
            manageEngines();
            break;
        default:
            return false;
    }
    repaintAll();
    return true;
}

bool GameWindow::editEngineStrength(EngineEntry& entry) {
    const auto offers = controller_.opponents().probe(entry);
    if (!offers) return false;
    entry.eloRange = rangeOf(offers->elo);
    entry.skillRange = rangeOf(offers->skillLevel);
    const auto strength = EngineStrengthDialog::edit(QString::fromStdString(entry.name), entry.eloRange,
                                                     entry.skillRange, entry.strength, this);
    if (!strength) return false;
    entry.strength = *strength;
    return true;
}

void GameWindow::addEngine() {
    const auto program = dialogs_.openFileName(QStringLiteral("Programmes (*)"), QString());
    if (!program || program->isEmpty()) return;
    const auto arguments = AddEngineDialog::askArguments(*program, this);
    if (!arguments) return;
    EngineCommand command{program->toStdString(), {}};
    if (!arguments->trimmed().isEmpty()) {
        // Read as a shell reads plain words: quotes keep blanks inside one.
        const auto words = parseEngineCommand(arguments->toStdString());
        if (!words) {
            dialogs_.message(infoCaption(),
                             QStringLiteral("Les arguments ne se lisent pas : un guillemet n'est pas fermé."),
                             BoxIcon::exclamation);
            return;
        }
        command.arguments.push_back(words->program);
        command.arguments.insert(command.arguments.end(), words->arguments.begin(), words->arguments.end());
    }
    controller_.opponents().addEngine(command);
}

void GameWindow::manageEngines() {
    EngineOpponents& opponents = controller_.opponents();
    std::vector<bool> installed;
    for (int choice = 1; choice <= static_cast<int>(opponents.choices().engines.size()); ++choice)
        installed.push_back(opponents.installed(choice));
    auto edited = EngineListDialog::edit(
        opponents.choices(), installed, dialogs_, [this](EngineEntry& entry) { editEngineStrength(entry); },
        this);
    if (edited) opponents.replaceList(std::move(*edited));
}

}  // namespace quorvel
