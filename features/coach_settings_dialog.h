#pragma once
// "Réglages de l'entraîneur...": the coach's settings in one dialog, the
// warning ("Entraîneur") with its threshold, the thinking times of the hint,
// the warning and the review, and the analyst. OK takes them, "Par défaut"
// shows the defaults, "Annuler" leaves the settings as they were.

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "coach/coach_settings.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace quorvel {

class CoachSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // An analyst the player may choose: its key in the settings and its name.
    using AnalystChoice = std::pair<std::string, QString>;

    CoachSettingsDialog(const CoachSettings& settings, std::vector<AnalystChoice> analysts,
                        QWidget* parent = nullptr);

    // Runs the dialog modally: the new settings, or nullopt when cancelled.
    static std::optional<CoachSettings> edit(const CoachSettings& settings,
                                             std::vector<AnalystChoice> analysts, QWidget* parent = nullptr);

    // The settings the controls hold.
    CoachSettings chosen() const;
    void show(const CoachSettings& settings);
    void pressDefaults() { show(CoachSettings{}); }

    // The controls, for tests.
    QCheckBox* warnings() const { return warnings_; }
    QSpinBox* threshold() const { return threshold_; }
    QSpinBox* coachSeconds() const { return coachSeconds_; }
    QSpinBox* hintSeconds() const { return hintSeconds_; }
    QSpinBox* reviewSeconds() const { return reviewSeconds_; }
    QComboBox* analyst() const { return analyst_; }

private:
    std::vector<AnalystChoice> analysts_;
    QCheckBox* warnings_ = nullptr;
    QSpinBox* threshold_ = nullptr;
    QSpinBox* coachSeconds_ = nullptr;
    QSpinBox* hintSeconds_ = nullptr;
    QSpinBox* reviewSeconds_ = nullptr;
    QComboBox* analyst_ = nullptr;
};

}  // namespace quorvel
