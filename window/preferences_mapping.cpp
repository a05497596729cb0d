// Between the preferences file (the options quorvel.ini has no room for)
// and the window. Each option reads its key with its own default and range,
// so a missing or damaged value falls back on its own.

#include "window/game_window.h"

namespace quorvel {

void GameWindow::applyPreferences() {
    const Preferences& p = preferences_;
    CoachSettings& coach = coach_->settings();
    const CoachSettings defaults;
    coach.hintSeconds = p.integer("coach.hint_seconds", kCoachTimeRange, defaults.hintSeconds);
    coach.warnings = p.flag("coach.warnings", defaults.warnings);
    coach.thresholdPawns = p.integer("coach.threshold_pawns", kCoachThresholdRange, defaults.thresholdPawns);
    coach.coachSeconds = p.integer("coach.coach_seconds", kCoachTimeRange, defaults.coachSeconds);
    coach.reviewSeconds = p.integer("coach.review_seconds", kCoachTimeRange, defaults.reviewSeconds);
    coach.analyst = p.text("coach.analyst", defaults.analyst);
}

void GameWindow::storePreferences() {
    Preferences& p = preferences_;
    const CoachSettings& coach = coach_->settings();
    p.setInteger("coach.hint_seconds", coach.hintSeconds);
    p.setFlag("coach.warnings", coach.warnings);
    p.setInteger("coach.threshold_pawns", coach.thresholdPawns);
    p.setInteger("coach.coach_seconds", coach.coachSeconds);
    p.setInteger("coach.review_seconds", coach.reviewSeconds);
    p.set("coach.analyst", coach.analyst);
}

}  // namespace quorvel
