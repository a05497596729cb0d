#pragma once
// The DialogService of the running program: Qt's message boxes with French
// buttons, the platform beep, Qt's file and colour dialogs and our
// promotion chooser, all parented to the main window. With file
// locations given, every file dialog opens where the user last chose a file
// (the documents folder the first time).

#include <QPointer>
#include <QWidget>

#include "features/dialog_service.h"

namespace quorvel {

class FileLocations;

class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr, FileLocations* locations = nullptr)
        : parent_(parent), locations_(locations) {}

    BoxAnswer message(const QString& caption, const QString& text, BoxIcon icon,
                      BoxButtons buttons = BoxButtons::ok) override;
    void beep() override;
    std::optional<QString> openFileName(const QString& filter, const QString& defaultName) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& defaultName) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    int choosePromotion(int pieceSet, bool playerIsBlack) override;
    std::optional<int> chooseGame(const QStringList& games) override;
    int ask(const QString& caption, const QString& text, BoxIcon icon, const QStringList& buttons) override;

private:
    QString startPath(const QString& defaultName) const;
    std::optional<QString> chosen(const QString& name);

    QPointer<QWidget> parent_;
    FileLocations* locations_;
};

}  // namespace quorvel
