#pragma once
// The DialogService of the running program: Qt's message boxes with French
// buttons, the platform beep, Qt's file and colour dialogs and our
// promotion chooser, all parented to the main window.

#include <QPointer>
#include <QWidget>

#include "features/dialog_service.h"

namespace quorvel {

class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}

    BoxAnswer message(const QString& caption, const QString& text, BoxIcon icon,
                      BoxButtons buttons = BoxButtons::ok) override;
    void beep() override;
    std::optional<QString> openFileName(const QString& filter, const QString& defaultName) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& defaultName) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    int choosePromotion(int pieceSet, bool playerIsBlack) override;
    std::optional<int> chooseGame(const QStringList& games) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace quorvel
