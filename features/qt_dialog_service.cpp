#include "features/qt_dialog_service.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "features/file_locations.h"
#include "features/game_list_dialog.h"
#include "features/promotion_dialog.h"

namespace quorvel {

namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::information:
            return QMessageBox::Information;
        case BoxIcon::exclamation:
            return QMessageBox::Warning;
        case BoxIcon::question:
            return QMessageBox::Question;
        case BoxIcon::none:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

BoxAnswer QtDialogService::message(const QString& caption, const QString& text, BoxIcon icon,
                                   BoxButtons buttons) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent_);
    if (buttons == BoxButtons::ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return BoxAnswer::ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? BoxAnswer::yes : BoxAnswer::no;
}

int QtDialogService::ask(const QString& caption, const QString& text, BoxIcon icon,
                         const QStringList& buttons) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent_);
    std::vector<QPushButton*> pushed;
    for (const QString& label : buttons) pushed.push_back(box.addButton(label, QMessageBox::ActionRole));
    if (pushed.empty()) pushed.push_back(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.setDefaultButton(pushed.front());
    box.setEscapeButton(pushed.back());
    box.exec();
    const auto chosen = std::find(pushed.begin(), pushed.end(), box.clickedButton());
    return chosen == pushed.end() ? static_cast<int>(pushed.size()) - 1
                                  : static_cast<int>(chosen - pushed.begin());
}

void QtDialogService::beep() {
    QApplication::beep();
}

QString QtDialogService::startPath(const QString& defaultName) const {
    return locations_ ? locations_->dialogStart(defaultName) : defaultName;
}

std::optional<QString> QtDialogService::chosen(const QString& name) {
    if (name.isEmpty()) return std::nullopt;
    if (locations_) locations_->rememberChosen(name);
    return name;
}

std::optional<QString> QtDialogService::openFileName(const QString& filter, const QString& defaultName) {
    return chosen(QFileDialog::getOpenFileName(parent_, QString(), startPath(defaultName), filter));
}

std::optional<QString> QtDialogService::saveFileName(const QString& filter, const QString& defaultName) {
    return chosen(QFileDialog::getSaveFileName(parent_, QString(), startPath(defaultName), filter));
}

std::optional<QColor> QtDialogService::chooseColour(const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, parent_);
    if (!colour.isValid()) return std::nullopt;
    return colour;
}

int QtDialogService::choosePromotion(int pieceSet, bool playerIsBlack) {
    return PromotionDialog::choose(pieceSet, playerIsBlack, parent_);
}

std::optional<int> QtDialogService::chooseGame(const QStringList& games) {
    return GameListDialog::choose(games, parent_);
}

}  // namespace quorvel
