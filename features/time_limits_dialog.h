#pragma once
// "Définir...": the two thinking-time limits of the computer, each a whole
// number of seconds from 1 to 300. A refused value keeps the dialog open.

#include <QDialog>
#include <optional>

#include "engine/search_status.h"

class QLineEdit;

namespace quorvel {

class DialogService;

class TimeLimitsDialog : public QDialog {
    Q_OBJECT
public:
    TimeLimitsDialog(const TimeLimits& limits, DialogService& dialogs, QWidget* parent = nullptr);

    // Runs the dialog modally: the new limits on OK, nullopt on "Annuler".
    static std::optional<TimeLimits> edit(const TimeLimits& limits, DialogService& dialogs,
                                          QWidget* parent = nullptr);

    // The fields and buttons, also for tests.
    void setMainText(const QString& text);
    void setSecondaryText(const QString& text);
    // Validates both fields; closes with the new limits when both are valid.
    // Returns whether the dialog was accepted.
    bool pressOk();
    void pressCancel() { reject(); }

    // The limits typed, valid once pressOk returned true.
    TimeLimits limits() const { return limits_; }

private:
    TimeLimits limits_;
    DialogService& dialogs_;
    QLineEdit* mainEdit_;
    QLineEdit* secondaryEdit_;
};

}  // namespace quorvel
