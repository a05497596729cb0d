// Between the preferences file (the options quorvel.ini has no room for)
// and the window. Each option reads its key with its own default and range,
// so a missing or damaged value falls back on its own.

#include "engine/levels.h"
#include "features/file_locations.h"
#include "window/game_window.h"
#include "window/level_commands.h"

namespace quorvel {

namespace {
constexpr const char* kBoxAtEveryCheck = "check.box";
constexpr const char* kAnnounceMoves = "speech.announce";
constexpr const char* kDialogFolder = "dialogs.folder";
constexpr const char* kWindowWidth = "window.width";
constexpr const char* kWindowHeight = "window.height";
constexpr const char* kWindowMaximized = "window.maximized";
// No screen is this large; a larger value is a damaged file.
constexpr int kLargestSide = 32768;
// The level in force: 1..8, 0 for "Personnalisé". Absent, the settings
// decide (the program's defaults are the strongest level).
constexpr const char* kLevelKey = "level";
}  // namespace

void GameWindow::applyPreferences() {
    // The size of the last run, never below the smallest the layout allows.
    const QSize smallest = minimumSizeHint();
    resize(preferences_.integer(kWindowWidth, {smallest.width(), kLargestSide}, smallest.width()),
           preferences_.integer(kWindowHeight, {smallest.height(), kLargestSide}, smallest.height()));
    if (preferences_.flag(kWindowMaximized, false)) setWindowState(windowState() | Qt::WindowMaximized);

    DisplayOptions& d = controller_.display();
    d.boxAtEveryCheck = preferences_.flag(kBoxAtEveryCheck, false);
    // A folder gone since is left for the documents folder when a dialog
    // opens.
    locations_.rememberFolder(QString::fromStdString(preferences_.text(kDialogFolder, "")));
    // Kept as chosen even on a machine without a voice: it speaks again
    // where one is installed.
    announcer_.setEnabled(preferences_.flag(kAnnounceMoves, false));

    std::optional<int> level;
    if (preferences_.text(kLevelKey)) level = preferences_.integer(kLevelKey, {kCustomLevel, kLevelCount + kLadderRoom}, kCustomLevel);
    levels_->restore(level);

    const Preferences& p = preferences_;
    CoachSettings& coach = coach_->settings();
    const CoachSettings defaults;
    coach.hintSeconds = p.integer("coach.hint_seconds", kCoachTimeRange, defaults.hintSeconds);
    coach.warnings = p.flag("coach.warnings", defaults.warnings);
    coach.thresholdPawns = p.integer("coach.threshold_pawns", kCoachThresholdRange, defaults.thresholdPawns);
    coach.coachSeconds = p.integer("coach.coach_seconds", kCoachTimeRange, defaults.coachSeconds);
    coach.reviewSeconds = p.integer("coach.review_seconds", kCoachTimeRange, defaults.reviewSeconds);
    coach.analyst = p.text("coach.analyst", defaults.analyst);
    setMenuChecks();
}

void GameWindow::storePreferences() {
    // A maximized window keeps the size it comes back to.
    const bool maximized = isMaximized();
    const QRect normal = normalGeometry();
    if (!maximized || normal.isValid()) {
        const QSize size = maximized ? normal.size() : this->size();
        preferences_.setInteger(kWindowWidth, size.width());
        preferences_.setInteger(kWindowHeight, size.height());
    }
    preferences_.setFlag(kWindowMaximized, maximized);
    preferences_.setFlag(kBoxAtEveryCheck, controller_.display().boxAtEveryCheck);
    preferences_.setFlag(kAnnounceMoves, announcer_.enabled());
    if (const QString folder = locations_.lastFolder(); !folder.isEmpty())
        preferences_.set(kDialogFolder, folder.toStdString());
    preferences_.setInteger(kLevelKey, levels_->level());

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
