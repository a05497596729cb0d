#include "features/engine_strength_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvel {

namespace {

// Where the Elo box opens when no Elo was chosen yet: a club player's
// strength, within the engine's range.
constexpr int kFirstElo = 1500;
constexpr int kLongestMove = 300;  // seconds, as the thinking-time dialog allows

}  // namespace

EngineStrengthDialog::EngineStrengthDialog(const QString& engineName, std::optional<Range> elo,
                                           std::optional<Range> skill, const EngineStrength& strength,
                                           QWidget* parent)
    : QDialog(parent), strength_(strength) {
    setWindowTitle(QStringLiteral("Force du moteur %1").arg(engineName));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    spin_ = new QSpinBox(this);
    QString note;
    if (elo) {
        control_ = Control::elo;
        check_ = new QCheckBox(QStringLiteral("Limiter la force"), this);
        check_->setChecked(strength.elo.has_value());
        spin_->setRange(elo->first, elo->second);
        spin_->setValue(std::clamp(strength.elo.value_or(kFirstElo), elo->first, elo->second));
        spin_->setSuffix(QStringLiteral(" Elo"));
        spin_->setEnabled(check_->isChecked());
        connect(check_, &QCheckBox::toggled, spin_, &QSpinBox::setEnabled);
        form->addRow(check_);
        form->addRow(QStringLiteral("Force :"), spin_);
        note = QStringLiteral(
                   "Le moteur joue à la force choisie, entre %1 et %2 Elo ; sans limite, il joue "
                   "de toute sa force.")
                   .arg(elo->first)
                   .arg(elo->second);
    } else if (skill) {
        control_ = Control::skillLevel;
        spin_->setRange(skill->first, skill->second);
        spin_->setValue(std::clamp(strength.skillLevel.value_or(skill->second), skill->first, skill->second));
        form->addRow(QStringLiteral("Niveau :"), spin_);
        note = QStringLiteral("Du plus faible (%1) au plus fort (%2).").arg(skill->first).arg(skill->second);
    } else {
        control_ = Control::moveTime;
        check_ = new QCheckBox(QStringLiteral("Un temps de réflexion propre au moteur"), this);
        check_->setChecked(strength.moveSeconds.has_value());
        spin_->setRange(1, kLongestMove);
        spin_->setValue(strength.moveSeconds.value_or(5));
        spin_->setSuffix(QStringLiteral(" seconde(s) par coup"));
        spin_->setEnabled(check_->isChecked());
        connect(check_, &QCheckBox::toggled, spin_, &QSpinBox::setEnabled);
        form->addRow(check_);
        form->addRow(QStringLiteral("Temps :"), spin_);
        note = QStringLiteral(
            "Ce moteur n'offre aucun réglage de force : moins il réfléchit, plus il est "
            "faible. Sans temps propre, il prend le temps de réflexion de la partie.");
    }
    layout->addLayout(form);
    auto* said = new QLabel(note, this);
    said->setWordWrap(true);
    layout->addWidget(said);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &EngineStrengthDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &EngineStrengthDialog::pressCancel);
}

std::optional<EngineStrength> EngineStrengthDialog::edit(const QString& engineName, std::optional<Range> elo,
                                                         std::optional<Range> skill,
                                                         const EngineStrength& strength, QWidget* parent) {
    EngineStrengthDialog dialog(engineName, elo, skill, strength, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.strength();
}

bool EngineStrengthDialog::pressOk() {
    // Only the control shown changes; what the engine does not offer is
    // left as it was, for a version of the engine that offers it again.
    switch (control_) {
        case Control::elo:
            strength_.elo = check_->isChecked() ? std::optional<int>(spin_->value()) : std::nullopt;
            break;
        case Control::skillLevel:
            strength_.skillLevel = spin_->value();
            break;
        case Control::moveTime:
            strength_.moveSeconds = check_->isChecked() ? std::optional<int>(spin_->value()) : std::nullopt;
            break;
    }
    accept();
    return true;
}

}  // namespace quorvel
