#pragma once
// "Options du moteur de recherche...": edits a copy of the search settings
// (the model). The controls exchange with separate working values:
// - a check-box click flips the model's flag and takes the typed numbers in;
// - OK takes the typed numbers in (even when one is refused) and closes
//   when all are valid;
// - "Par défaut" puts the defaults in the model and closes when the typed
//   numbers are valid, without taking them in;
// - "Annuler" closes without reading the controls.
// However the dialog closes, the caller gets the model back.

#include <QDialog>
#include <array>

#include "engine/engine_options.h"

class QCheckBox;
class QLineEdit;

namespace quorvel {

class DialogService;

class EngineOptionsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Flag { extraDisplays, horizonReduction, alphaBetaSorting };
    enum class Number { alphaBetaTolerance, minSons, maxDepthMain, maxDepthSecondary };

    EngineOptionsDialog(const EngineOptions& options, DialogService& dialogs, QWidget* parent = nullptr);

    // Runs the dialog modally and returns the model, however it was closed.
    // `otherEngine` names the engine of another program that plays the
    // computer's side, if one does (see showOtherEngine).
    static EngineOptions edit(const EngineOptions& options, DialogService& dialogs, QWidget* parent = nullptr,
                              const QString& otherEngine = {});

    // The extra displays (the information dialog and its tree explorer)
    // belong to Quorvel's own engine: while `engineName` plays, their box is
    // disabled and a line says why.
    void showOtherEngine(const QString& engineName);

    // The controls and buttons, also for tests.
    void setNumberText(Number field, const QString& text);
    QString numberText(Number field) const;
    bool isChecked(Flag flag) const;
    void clickCheckBox(Flag flag);
    bool pressOk();        // whether the dialog closed
    bool pressDefaults();  // whether the dialog closed
    void pressCancel() { reject(); }

    const EngineOptions& model() const { return model_; }

private:
    struct NumberField {
        QLineEdit* edit;
        int low;
        int high;
    };
    struct WorkingNumbers {
        std::array<int, 4> values{};  // indexed by Number
    };

    void showModel();
    bool readNumbers();
    void copyNumbersToModel();
    QCheckBox* checkBox(Flag flag) const { return checkBoxes_[static_cast<std::size_t>(flag)]; }
    bool& modelFlag(Flag flag);

    EngineOptions model_;
    WorkingNumbers working_;
    DialogService& dialogs_;
    std::array<QCheckBox*, 3> checkBoxes_{};
    std::array<NumberField, 4> numbers_{};
};

}  // namespace quorvel
