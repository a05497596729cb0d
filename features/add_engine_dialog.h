#pragma once
// "Ajouter un moteur...", once the program is chosen: the arguments it needs
// to speak UCI, if any ("--uci" for GNU Chess under its plain name).

#include <QDialog>
#include <optional>

class QLineEdit;

namespace quorvel {

class AddEngineDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddEngineDialog(const QString& program, QWidget* parent = nullptr);

    // Runs the dialog modally: the arguments typed (maybe none) on OK,
    // nullopt on "Annuler".
    static std::optional<QString> askArguments(const QString& program, QWidget* parent = nullptr);

    // The field, also for tests.
    void setArgumentsText(const QString& text);
    QString argumentsText() const;
    void pressOk() { accept(); }
    void pressCancel() { reject(); }

private:
    QLineEdit* arguments_;
};

}  // namespace quorvel
