// The coach's commands in the main window: "Suggérer un coup" (key H) and
// "Analyser la partie" in "Partie", "Entraîneur" and its settings in
// "Options", through runCommand like every other command. A click in the
// review window shows its position through the history navigation.

#include <QAction>

#include "features/coach_settings_dialog.h"
#include "features/review_window.h"
#include "window/command_guard.h"
#include "window/command_ids.h"
#include "window/game_window.h"
#include "window/main_menu.h"

namespace quorvel {

void GameWindow::connectCoach() {
    coach_ = std::make_unique<Coach>(controller_, history_, this);
    controller_.setBeforeReply([this] { return coach_->checkHumanMove(); });
    formats_.setReviewSource([this](const GameRecord& record, PgnExportOptions& options) {
        return coach_->addReviewTo(record, options);
    });
    connect(coach_.get(), &Coach::statesChanged, this, &GameWindow::refreshCoachCommands);
    connect(&controller_, &GameController::commandStatesChanged, this, &GameWindow::refreshCoachCommands);
    connect(coach_.get(), &Coach::reviewedPositionChosen, this, &GameWindow::showReviewedPosition);
}

bool GameWindow::runCoachCommand(int id) {
    switch (id) {
        case cmd::kSuggestMove:
            coach_->suggest();
            break;
        case cmd::kReviewGame:
            coach_->reviewGame();
            break;
        case cmd::kCoachWarnings:
            coach_->settings().warnings = !coach_->settings().warnings;
            repaintAll();
            break;
        case cmd::kCoachSettings: {
            std::vector<CoachSettingsDialog::AnalystChoice> analysts;
            for (const AnalystChoice& choice : analystChoices())
                analysts.push_back({choice.key, QString::fromStdString(choice.name)});
            if (const auto settings = CoachSettingsDialog::edit(coach_->settings(), analysts, this))
                coach_->settings() = *settings;
            repaintAll();
            break;
        }
        default:
            return false;
    }
    return true;
}

void GameWindow::refreshCoachCommands() {
    if (!coach_ || !menu_) return;
    const CommandContext context = commandContext();
    auto allowed = [&](int id) { return commandVerdict(id, context) != CommandVerdict::refuse; };
    menu_->action(cmd::kSuggestMove)->setEnabled(allowed(cmd::kSuggestMove) && coach_->canSuggest());
    menu_->action(cmd::kReviewGame)->setEnabled(allowed(cmd::kReviewGame) && coach_->canReview());
    menu_->setChecked(cmd::kCoachWarnings, coach_->settings().warnings);
    if (ReviewWindow* review = coach_->reviewWindow(); review && review->isVisible() && !review->running()) {
        const int ply = controller_.state().record.plyCount;
        review->setCurrentPly(coach_->reviewCovers(ply) ? std::optional(ply) : std::nullopt);
    }
}

void GameWindow::showReviewedPosition(int ply) {
    // As stepping through the history: refused while the computer has the
    // game, silently, as a click at the wrong moment is.
    const CommandVerdict verdict = commandVerdict(cmd::kHistoryBack, commandContext());
    if (verdict == CommandVerdict::refuse || !coach_->reviewCovers(ply)) return;
    if (verdict == CommandVerdict::cancelReplayThenRun) history_.endReplay();
    history_.showPly(ply);
}

}  // namespace quorvel
