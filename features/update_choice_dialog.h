#pragma once
// "Téléchargement d'une mise à jour de Quorvel": says which version is
// available and offers to download the update (choice 1, selected at
// opening) or to open the site's download page (choice 2).

#include <QDialog>
#include <optional>

class QRadioButton;

namespace quorvel {

class UpdateChoiceDialog : public QDialog {
    Q_OBJECT
public:
    UpdateChoiceDialog(const QString& message, const QString& siteAddress, QWidget* parent = nullptr);

    // Runs the dialog modally: 1 or 2 on OK, nullopt on "Annuler".
    static std::optional<int> ask(const QString& message, const QString& siteAddress,
                                  QWidget* parent = nullptr);

    int choice() const;

private:
    QRadioButton* download_;
    QRadioButton* page_;
};

}  // namespace quorvel
