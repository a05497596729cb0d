#pragma once
// "Force du moteur...": how strong an engine of another program plays, set
// from what it offers and nothing else, in this order: an Elo within the
// engine's own range (UCI_LimitStrength with UCI_Elo), else its skill level,
// else only the time it is given for each move.

#include <QDialog>
#include <optional>
#include <utility>

#include "storage/engine_list_file.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace quorvel {

class EngineStrengthDialog : public QDialog {
    Q_OBJECT
public:
    using Range = std::pair<int, int>;
    enum class Control { elo, skillLevel, moveTime };

    // `elo` and `skill` are the ranges the engine offers, if it does.
    EngineStrengthDialog(const QString& engineName, std::optional<Range> elo, std::optional<Range> skill,
                         const EngineStrength& strength, QWidget* parent = nullptr);

    // Runs the dialog modally: the new strength on OK, nullopt on "Annuler".
    static std::optional<EngineStrength> edit(const QString& engineName, std::optional<Range> elo,
                                              std::optional<Range> skill, const EngineStrength& strength,
                                              QWidget* parent = nullptr);

    // The one control shown, and its parts, also for tests.
    Control control() const { return control_; }
    QSpinBox* spinBox() const { return spin_; }
    QCheckBox* checkBox() const { return check_; }
    bool pressOk();
    void pressCancel() { reject(); }

    // The strength chosen, valid once pressOk returned true.
    const EngineStrength& strength() const { return strength_; }

private:
    Control control_ = Control::moveTime;
    EngineStrength strength_;
    QCheckBox* check_ = nullptr;  // Elo: the limit on; time: a time of its own
    QSpinBox* spin_ = nullptr;
};

}  // namespace quorvel
