#pragma once
// "Gérer les moteurs...": the engines the computer's opponent is chosen
// among, each with its name and its program; renames them, removes them and
// sets their strength. Works on a copy of the list, handed back on OK.

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "storage/engine_list_file.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel {

class DialogService;

class EngineListDialog : public QDialog {
    Q_OBJECT
public:
    // `installed[k]` says whether engines[k]'s program is there. `editStrength`
    // runs "Force..." for one entry of the copy, and may change it.
    using StrengthEditor = std::function<void(EngineEntry&)>;
    EngineListDialog(EngineChoices choices, std::vector<bool> installed, DialogService& dialogs,
                     StrengthEditor editStrength, QWidget* parent = nullptr);

    // Runs the dialog modally: the list as changed on OK, nullopt on "Annuler".
    static std::optional<EngineChoices> edit(EngineChoices choices, std::vector<bool> installed,
                                             DialogService& dialogs, StrengthEditor editStrength,
                                             QWidget* parent = nullptr);

    // The rows (the engines not removed) and the controls, also for tests.
    int rowCount() const;
    QString rowText(int row) const;
    void selectRow(int row);
    void setNameText(const QString& text);
    bool pressRename();  // false, with a word, for an empty name
    void pressRemove();
    void pressStrength();
    void pressOk() { accept(); }
    void pressCancel() { reject(); }

    const EngineChoices& choices() const { return choices_; }

private:
    void fill();
    // The engine number (1-based choice) of a row, 0 for none.
    int choiceOfRow(int row) const;
    void selectionChanged();

    EngineChoices choices_;
    std::vector<bool> installed_;
    DialogService& dialogs_;
    StrengthEditor editStrength_;
    QListWidget* list_;
    QLineEdit* name_;
    QPushButton* rename_;
    QPushButton* remove_;
    QPushButton* strength_;
};

}  // namespace quorvel
