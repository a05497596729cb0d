#include "features/engine_list_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/dialog_service.h"

namespace quorvel {

EngineListDialog::EngineListDialog(EngineChoices choices, std::vector<bool> installed, DialogService& dialogs,
                                   StrengthEditor editStrength, QWidget* parent)
    : QDialog(parent),
      choices_(std::move(choices)),
      installed_(std::move(installed)),
      dialogs_(dialogs),
      editStrength_(std::move(editStrength)) {
    setWindowTitle(QStringLiteral("Gérer les moteurs"));
    installed_.resize(choices_.engines.size(), false);
    list_ = new QListWidget(this);
    list_->setMinimumWidth(420);
    name_ = new QLineEdit(this);
    rename_ = new QPushButton(QStringLiteral("Renommer"), this);
    remove_ = new QPushButton(QStringLiteral("Supprimer"), this);
    strength_ = new QPushButton(QStringLiteral("Force..."), this);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Nom :"), this));
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(rename_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(strength_);
    actions->addWidget(remove_);
    actions->addStretch();
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Les moteurs que l'ordinateur peut faire jouer :"), this));
    layout->addWidget(list_);
    layout->addLayout(nameRow);
    layout->addLayout(actions);
    layout->addWidget(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, [this] { selectionChanged(); });
    connect(rename_, &QPushButton::clicked, this, &EngineListDialog::pressRename);
    connect(remove_, &QPushButton::clicked, this, &EngineListDialog::pressRemove);
    connect(strength_, &QPushButton::clicked, this, &EngineListDialog::pressStrength);
    connect(buttons, &QDialogButtonBox::accepted, this, &EngineListDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &EngineListDialog::pressCancel);
    fill();
}

std::optional<EngineChoices> EngineListDialog::edit(EngineChoices choices, std::vector<bool> installed,
                                                    DialogService& dialogs, StrengthEditor editStrength,
                                                    QWidget* parent) {
    EngineListDialog dialog(std::move(choices), std::move(installed), dialogs, std::move(editStrength),
                            parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choices();
}

void EngineListDialog::fill() {
    const int kept = list_->currentRow();
    list_->clear();
    for (std::size_t k = 0; k < choices_.engines.size(); ++k) {
        const EngineEntry& entry = choices_.engines[k];
        if (entry.removed) continue;
        QString text = QString::fromStdString(entry.name) + QStringLiteral("  —  ") +
                       QString::fromStdString(entry.program);
        for (const std::string& argument : entry.arguments) text += ' ' + QString::fromStdString(argument);
        if (!installed_[k]) text += QStringLiteral("  (absent)");
        auto* item = new QListWidgetItem(text, list_);
        item->setData(Qt::UserRole, static_cast<int>(k) + 1);
    }
    list_->setCurrentRow(std::min(std::max(kept, 0), list_->count() - 1));
    selectionChanged();
}

int EngineListDialog::rowCount() const {
    return list_->count();
}

QString EngineListDialog::rowText(int row) const {
    const QListWidgetItem* item = list_->item(row);
    return item ? item->text() : QString();
}

void EngineListDialog::selectRow(int row) {
    list_->setCurrentRow(row);
}

void EngineListDialog::setNameText(const QString& text) {
    name_->setText(text);
}

int EngineListDialog::choiceOfRow(int row) const {
    const QListWidgetItem* item = list_->item(row);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void EngineListDialog::selectionChanged() {
    const int choice = choiceOfRow(list_->currentRow());
    const bool any = choice > 0;
    rename_->setEnabled(any);
    remove_->setEnabled(any);
    strength_->setEnabled(any && editStrength_ && installed_[static_cast<std::size_t>(choice - 1)]);
    name_->setText(any ? QString::fromStdString(choices_.engines[static_cast<std::size_t>(choice - 1)].name)
                       : QString());
}

bool EngineListDialog::pressRename() {
    const int choice = choiceOfRow(list_->currentRow());
    if (choice == 0) return false;
    const QString name = name_->text().simplified();
    if (name.isEmpty()) {
        dialogs_.message(infoCaption(), QStringLiteral("Tapez un nom."), BoxIcon::exclamation);
        return false;
    }
    EngineEntry& entry = choices_.engines[static_cast<std::size_t>(choice - 1)];
    entry.name = name.toStdString();
    // The player's name stays, whatever the engine calls itself.
    entry.renamed = true;
    fill();
    return true;
}

void EngineListDialog::pressRemove() {
    const int choice = choiceOfRow(list_->currentRow());
    if (choice == 0) return;
    // An added engine leaves the list; a found one stays, marked removed.
    const bool erased = choices_.engines[static_cast<std::size_t>(choice - 1)].origin == EngineOrigin::added;
    choices_.remove(choice);
    if (erased) installed_.erase(installed_.begin() + (choice - 1));
    fill();
}

void EngineListDialog::pressStrength() {
    const int choice = choiceOfRow(list_->currentRow());
    if (choice == 0 || !editStrength_) return;
    editStrength_(choices_.engines[static_cast<std::size_t>(choice - 1)]);
    fill();
}

}  // namespace quorvel
