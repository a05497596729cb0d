#include "features/game_list_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvel {

GameListDialog::GameListDialog(const QStringList& games, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Importer une partie PGN"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Ce fichier contient %1 parties. Laquelle importer ?").arg(games.size()), this));
    list_ = new QListWidget(this);
    list_->addItems(games);
    list_->setCurrentRow(0);
    // Wide enough for the longest line, within reason.
    int widest = fontMetrics().averageCharWidth() * 40;
    for (const QString& line : games) widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    list_->setMinimumWidth(std::min(widest, fontMetrics().averageCharWidth() * 100) + 40);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Importer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int GameListDialog::chosenRow() const {
    return list_->currentRow();
}

std::optional<int> GameListDialog::choose(const QStringList& games, QWidget* parent) {
    GameListDialog dialog(games, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenRow() < 0) return std::nullopt;
    return dialog.chosenRow();
}

}  // namespace quorvel
