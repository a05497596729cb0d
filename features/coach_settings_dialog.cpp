#include "features/coach_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "features/option_buttons.h"

namespace quorvel {

namespace {

QSpinBox* spinBox(QWidget* parent, ValueRange range, const QString& suffix) {
    auto* box = new QSpinBox(parent);
    box->setRange(range.low, range.high);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

CoachSettingsDialog::CoachSettingsDialog(const CoachSettings& settings, std::vector<AnalystChoice> analysts,
                                         QWidget* parent)
    : QDialog(parent), analysts_(std::move(analysts)) {
    setWindowTitle(QStringLiteral("Réglages de l'entraîneur"));
    // Quorvel's own engine is always there.
    if (analysts_.empty()) analysts_.push_back({kOwnAnalyst, QStringLiteral("Quorvel")});

    auto* coach = new QGroupBox(QStringLiteral("Avertissement après un coup coûteux"), this);
    auto* coachForm = new QFormLayout(coach);
    warnings_ = new QCheckBox(QStringLiteral("Entraîneur"), coach);
    threshold_ = spinBox(coach, kCoachThresholdRange, QStringLiteral(" pion(s)"));
    coachSeconds_ = spinBox(coach, kCoachTimeRange, QStringLiteral(" s"));
    coachForm->addRow(warnings_);
    coachForm->addRow(QStringLiteral("Seuil"), threshold_);
    coachForm->addRow(QStringLiteral("Temps par position"), coachSeconds_);

    auto* times = new QGroupBox(QStringLiteral("Suggestion et analyse"), this);
    auto* timesForm = new QFormLayout(times);
    hintSeconds_ = spinBox(times, kCoachTimeRange, QStringLiteral(" s"));
    reviewSeconds_ = spinBox(times, kCoachTimeRange, QStringLiteral(" s"));
    analyst_ = new QComboBox(times);
    for (const auto& [key, name] : analysts_) analyst_->addItem(name, QString::fromStdString(key));
    timesForm->addRow(QStringLiteral("Temps d'une suggestion"), hintSeconds_);
    timesForm->addRow(QStringLiteral("Analyse de la partie, par position"), reviewSeconds_);
    timesForm->addRow(QStringLiteral("Analyste"), analyst_);

    const OptionButtons buttons = makeOptionButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.defaults, &QPushButton::clicked, this, &CoachSettingsDialog::pressDefaults);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(coach);
    layout->addWidget(times);
    layout->addLayout(buttons.row);
    show(settings);
}

void CoachSettingsDialog::show(const CoachSettings& settings) {
    warnings_->setChecked(settings.warnings);
    threshold_->setValue(settings.thresholdPawns);
    coachSeconds_->setValue(settings.coachSeconds);
    hintSeconds_->setValue(settings.hintSeconds);
    reviewSeconds_->setValue(settings.reviewSeconds);
    const int index = analyst_->findData(QString::fromStdString(settings.analyst));
    analyst_->setCurrentIndex(index >= 0 ? index : 0);
}

CoachSettings CoachSettingsDialog::chosen() const {
    CoachSettings settings;
    settings.warnings = warnings_->isChecked();
    settings.thresholdPawns = threshold_->value();
    settings.coachSeconds = coachSeconds_->value();
    settings.hintSeconds = hintSeconds_->value();
    settings.reviewSeconds = reviewSeconds_->value();
    settings.analyst = analyst_->currentData().toString().toStdString();
    return settings;
}

std::optional<CoachSettings> CoachSettingsDialog::edit(const CoachSettings& settings,
                                                       std::vector<AnalystChoice> analysts, QWidget* parent) {
    CoachSettingsDialog dialog(settings, std::move(analysts), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

}  // namespace quorvel
