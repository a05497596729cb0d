#include "features/time_limits_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "features/integer_field.h"

namespace quorvel {

TimeLimitsDialog::TimeLimitsDialog(const TimeLimits& limits, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), limits_(limits), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Durée maximale de la réflexion de l'ordinateur..."));
    mainEdit_ = new QLineEdit(QString::number(limits.mainTimeLimit), this);
    secondaryEdit_ = new QLineEdit(QString::number(limits.secondaryTimeLimit), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Sur l'arbre principal       :"), this), 0, 0);
    grid->addWidget(mainEdit_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("seconde(s)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Sur l'arbre secondaire :"), this), 1, 0);
    grid->addWidget(secondaryEdit_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("seconde(s)"), this), 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 2, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &TimeLimitsDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &TimeLimitsDialog::pressCancel);
}

std::optional<TimeLimits> TimeLimitsDialog::edit(const TimeLimits& limits, DialogService& dialogs,
                                                 QWidget* parent) {
    TimeLimitsDialog dialog(limits, dialogs, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.limits();
}

void TimeLimitsDialog::setMainText(const QString& text) {
    mainEdit_->setText(text);
}
void TimeLimitsDialog::setSecondaryText(const QString& text) {
    secondaryEdit_->setText(text);
}

bool TimeLimitsDialog::pressOk() {
    const auto main =
        readIntegerField(mainEdit_->text(), kTimeLimitRange.low, kTimeLimitRange.high, dialogs_);
    if (!main) {
        mainEdit_->setFocus();
        return false;
    }
    const auto secondary =
        readIntegerField(secondaryEdit_->text(), kTimeLimitRange.low, kTimeLimitRange.high, dialogs_);
    if (!secondary) {
        secondaryEdit_->setFocus();
        return false;
    }
    // Both limits change together or not at all.
    limits_.mainTimeLimit = *main;
    limits_.secondaryTimeLimit = *secondary;
    accept();
    return true;
}

}  // namespace quorvel
