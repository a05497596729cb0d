#include "features/add_engine_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

AddEngineDialog::AddEngineDialog(const QString& program, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ajouter un moteur"));
    arguments_ = new QLineEdit(this);
    arguments_->setMinimumWidth(300);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Programme :"), new QLabel(program, this));
    form->addRow(QStringLiteral("Arguments (facultatifs) :"), arguments_);
    auto* note =
        new QLabel(QStringLiteral("Le moteur doit parler le protocole UCI ; il est essayé avant d'être "
                                  "ajouté, et prend le nom qu'il se donne."),
                   this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddEngineDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddEngineDialog::pressCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

std::optional<QString> AddEngineDialog::askArguments(const QString& program, QWidget* parent) {
    AddEngineDialog dialog(program, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.argumentsText();
}

void AddEngineDialog::setArgumentsText(const QString& text) {
    arguments_->setText(text);
}

QString AddEngineDialog::argumentsText() const {
    return arguments_->text();
}

}  // namespace quorvel
