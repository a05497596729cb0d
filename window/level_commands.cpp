#include "window/level_commands.h"

#include <QAction>
#include <QDateTime>
#include <filesystem>
#include <vector>

#include "engine/levels.h"
#include "features/dialog_service.h"
#include "storage/player_rating.h"
#include "window/command_ids.h"
#include "window/engine_play.h"
#include "window/game_controller.h"
#include "window/main_menu.h"

namespace quorvel {

namespace {

// The draws of a game differ from one game to the next.
std::uint32_t clockSeed() {
    return static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
}

QString levelName(int level) {
    return QStringLiteral("Niveau %1 (≈ %2 Elo)").arg(level).arg(levelPreset(level).elo);
}

}  // namespace

LevelCommands::LevelCommands(GameController& controller, DialogService& dialogs, std::string resultsPath,
                             std::function<void(int)> runCommand, QObject* parent)
    : QObject(parent),
      controller_(controller),
      dialogs_(dialogs),
      resultsPath_(std::move(resultsPath)),
      runCommand_(std::move(runCommand)),
      level_(levelInForce(kCustomLevel, controller.engineOptions(), controller.limits())),
      seed_(clockSeed()) {
    connect(&controller_, &GameController::searchStarting, this, &LevelCommands::computerStarts);
    connect(&controller_, &GameController::gameStarted, this, &LevelCommands::gameStarted);
}

bool LevelCommands::run(int id) {
    if (id >= cmd::kLevelFirst && id < cmd::kLevelFirst + kLevelCount + static_cast<int>(ladder_.size())) {
        choose(id - cmd::kLevelFirst + 1);
        return true;
    }
    if (id == cmd::kLevelCustom) {
        // The player's own values: the engine options, then the times.
        level_ = kCustomLevel;
        controller_.setRootChoice({});
        runCommand_(cmd::kEngineOptions);
        runCommand_(cmd::kTimeDefine);
        return true;
    }
    if (id == cmd::kLevelResults) {
        showResults();
        return true;
    }
    return false;
}

void LevelCommands::choose(int level) {
    EngineOpponents& opponents = controller_.opponents();
    if (level > kLevelCount) {
        // Above Quorvel's own: the ladder engine plays, Quorvel's options
        // stay as they are.
        const auto step = static_cast<std::size_t>(level - kLevelCount - 1);
        if (step >= ladder_.size() || !opponents.playKnownEngineAtElo(kLadderEngine, ladder_[step])) return;
        level_ = level;
        controller_.setRootChoice({});
        controller_.repaint();
        return;
    }
    applyLevel(level, controller_.engineOptions(), controller_.limits());
    level_ = level;
    controller_.setRootChoice({levelPreset(level).choiceMargin, seed_++});
    // Quorvel's own engine plays its levels.
    opponents.playBuiltInEngine();
    controller_.repaint();
}

bool LevelCommands::levelHolds() const {
    const EngineOpponents& opponents = controller_.opponents();
    if (level_ > kLevelCount) {
        const auto step = static_cast<std::size_t>(level_ - kLevelCount - 1);
        return step < ladder_.size() && opponents.playsKnownEngineAtElo(kLadderEngine, ladder_[step]);
    }
    return !opponents.otherEngineChosen(EngineOpponents::Role::opponent) &&
           matchesLevel(level_, controller_.engineOptions(), controller_.limits());
}

void LevelCommands::followHandChanges() {
    if (level_ == kCustomLevel || levelHolds()) return;
    level_ = kCustomLevel;
    controller_.setRootChoice({});
}

void LevelCommands::showLadder(MainMenu& menu, bool mayAsk) {
    EngineOpponents& opponents = controller_.opponents();
    const auto range = mayAsk ? opponents.eloRange(kLadderEngine) : opponents.knownEloRange(kLadderEngine);
    ladder_ = range ? eloLadder(range->first, range->second, kLadderRoom) : std::vector<int>{};
    for (int k = 0; k < kLadderRoom; ++k) {
        QAction* entry = menu.action(cmd::kLevelFirst + kLevelCount + k);
        if (!entry) continue;
        const bool shown = k < static_cast<int>(ladder_.size());
        entry->setVisible(shown);
        if (!shown) continue;
        const int elo = ladder_[static_cast<std::size_t>(k)];
        entry->setText(QStringLiteral("Niveau %1 (%2 Elo)").arg(kLevelCount + 1 + k).arg(elo));
        entry->setStatusTip(QStringLiteral("Stockfish, limité à %1 Elo sur son échelle").arg(elo));
        entry->setToolTip(entry->statusTip());
    }
    if (pendingLadder_) {
        // Kept from the last run: in force again when its engine still plays at its step.
        const int kept = *pendingLadder_;
        pendingLadder_.reset();
        level_ = kept;
        if (!levelHolds()) level_ = kCustomLevel;
    } else if (level_ > kLevelCount && !levelHolds()) {
        level_ = kCustomLevel;
    }
    setChecks(menu);
}

void LevelCommands::restore(std::optional<int> kept) {
    const EngineOptions& options = controller_.engineOptions();
    const TimeLimits& limits = controller_.limits();
    if (kept && *kept > kLevelCount) {
        // A level of the ladder: known once the engines are.
        pendingLadder_ = *kept;
        level_ = kCustomLevel;
    } else if (kept) {
        level_ = matchesLevel(*kept, options, limits) ? *kept : kCustomLevel;
    } else {
        level_ = levelInForce(kCustomLevel, options, limits);
    }
    const int margin = level_ == kCustomLevel ? 0 : levelPreset(level_).choiceMargin;
    controller_.setRootChoice({margin, seed_++});
}

void LevelCommands::setChecks(MainMenu& menu) const {
    for (int level = 1; level <= kLevelCount + kLadderRoom; ++level)
        menu.setChecked(cmd::kLevelFirst + level - 1, level == level_);
    menu.setChecked(cmd::kLevelCustom, level_ == kCustomLevel);
}

void LevelCommands::computerStarts() {
    const PlayState& play = controller_.state();
    if (play.computerVsComputer || play.humanVsHuman) {
        gameLevel_ = kCustomLevel;
    } else if (level_ > kLevelCount) {
        // The ladder's games are Stockfish's, not counted among Quorvel's levels.
        gameLevel_ = kCustomLevel;
    } else if (!gameLevel_) {
        gameLevel_ = level_;
    } else if (*gameLevel_ != level_) {
        gameLevel_ = kCustomLevel;
    }
}

void LevelCommands::gameStarted(bool fresh) {
    // A game loaded, recovered, imported or pasted was not all played here.
    gameLevel_ = fresh ? std::nullopt : std::optional<int>(kCustomLevel);
    counted_ = false;
}

void LevelCommands::countFinishedGame() {
    if (counted_ || !gameLevel_ || *gameLevel_ == kCustomLevel) return;
    const PlayState& play = controller_.state();
    if (play.searchRunning || !controller_.status().searchIdle || play.humanVsHuman ||
        play.computerVsComputer || !controller_.gameOver()) {
        return;
    }
    counted_ = true;
    const QString result = controller_.resultText();
    const bool humanWhite = !play.record.playerIsBlack;
    PlayerScore score = PlayerScore::drawn;
    if (result == QStringLiteral("Les Blancs gagnent!"))
        score = humanWhite ? PlayerScore::won : PlayerScore::lost;
    if (result == QStringLiteral("Les Noirs gagnent!"))
        score = humanWhite ? PlayerScore::lost : PlayerScore::won;
    const int level = *gameLevel_;
    LevelResults results = readResults(true);
    const LevelTally tally = results.record(level, score);
    if (!resultsPath_.empty() && !writeLevelResults(resultsPath_, results)) {
        dialogs_.error(QStringLiteral("Impossible d'écrire le fichier de vos résultats '%1'")
                           .arg(QString::fromStdString(resultsPath_)));
    }
    QString suggestion;
    if (tally.run >= 3 && level < kLevelCount)
        suggestion = QStringLiteral("Trois victoires de suite : essayez le niveau %1 !").arg(level + 1);
    if (tally.run <= -3 && level > 1)
        suggestion = QStringLiteral("Trois défaites de suite : essayez le niveau %1 !").arg(level - 1);
    if (!suggestion.isEmpty()) {
        QString& status = controller_.state().statusText;
        status = status.isEmpty() ? suggestion : status + QStringLiteral("\r\n") + suggestion;
    }
}

LevelResults LevelCommands::readResults(bool sayDamage) {
    if (resultsPath_.empty()) return {};
    LevelResultsReading reading = readLevelResults(resultsPath_);
    if (reading.status == LevelResultsReading::Status::damaged && sayDamage) {
        // The damaged file is kept beside the new one: nothing is thrown away.
        std::error_code error;
        std::filesystem::rename(resultsPath_, resultsPath_ + ".endommage", error);
        dialogs_.message(
            infoCaption(),
            QStringLiteral("Le fichier de vos résultats était endommagé : vos résultats repartent "
                           "de zéro.\nL'ancien fichier est gardé sous le nom '%1'.")
                .arg(QString::fromStdString(resultsPath_ + ".endommage")),
            BoxIcon::exclamation);
    }
    return reading.results;
}

QString LevelCommands::resultsText() const {
    if (resultsPath_.empty())
        return QStringLiteral("Vos résultats ne peuvent pas être conservés : leur dossier est inaccessible.");
    const LevelResultsReading reading = readLevelResults(resultsPath_);
    if (reading.status == LevelResultsReading::Status::damaged)
        return QStringLiteral(
            "Le fichier de vos résultats est endommagé : il repartira de zéro à la fin de votre "
            "prochaine partie.");
    if (reading.results.empty())
        return QStringLiteral(
            "Aucune partie comptée pour l'instant.\nJouez une partie contre l'ordinateur à un "
            "niveau (pas en « Personnalisé ») : son résultat sera compté ici.");
    QString text = QStringLiteral(
        "<table cellspacing=\"0\" cellpadding=\"4\"><tr><th align=\"left\">Niveau</th><th>Parties</th>"
        "<th>Gagnées</th><th>Nulles</th><th>Perdues</th></tr>");
    std::vector<Opposition> opposition;
    for (const auto& [level, t] : reading.results.tallies()) {
        if (level > kLevelCount) continue;  // levels this version does not offer
        text += QStringLiteral(
                    "<tr><td>%1</td><td align=\"center\">%2</td><td align=\"center\">%3</td>"
                    "<td align=\"center\">%4</td><td align=\"center\">%5</td></tr>")
                    .arg(levelName(level))
                    .arg(t.games())
                    .arg(t.won)
                    .arg(t.drawn)
                    .arg(t.lost);
        opposition.push_back({levelPreset(level).elo, t.won, t.drawn, t.lost});
    }
    text += QStringLiteral("</table>");
    if (const auto estimate = performanceRating(opposition)) {
        text += QStringLiteral("<p>Votre force estimée : <b>≈ %1 Elo</b> (%2).</p>")
                    .arg(static_cast<int>(std::lround(estimate->rating / 10) * 10))
                    .arg(QString::fromStdString(ratingUncertainty(*estimate)));
    }
    return text;
}

void LevelCommands::showResults() {
    dialogs_.message(QStringLiteral("Mes résultats"), resultsText(), BoxIcon::information);
}

}  // namespace quorvel
