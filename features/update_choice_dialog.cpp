#include "features/update_choice_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

UpdateChoiceDialog::UpdateChoiceDialog(const QString& message, const QString& siteAddress, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Téléchargement d'une mise à jour de Quorvel"));
    auto* text = new QLabel(message, this);

    auto* group = new QGroupBox(QStringLiteral("Sélectionnez l'option désirée"), this);
    download_ =
        new QRadioButton(QStringLiteral("Je veux télécharger le fichier de mise à jour de Quorvel"), group);
    page_ = new QRadioButton(
        QStringLiteral("Je veux afficher la page \"téléchargement\" du site %1").arg(siteAddress), group);
    download_->setChecked(true);
    auto* options = new QVBoxLayout(group);
    options->addWidget(download_);
    options->addWidget(page_);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 30, 30, 12);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

std::optional<int> UpdateChoiceDialog::ask(const QString& message, const QString& siteAddress,
                                           QWidget* parent) {
    UpdateChoiceDialog dialog(message, siteAddress, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

int UpdateChoiceDialog::choice() const {
    return page_->isChecked() ? 2 : 1;
}

}  // namespace quorvel
