#pragma once
// "Quorvel : Informations supplémentaires": the full report of the
// computer's last search, and the tree explorer. The user types move texts
// for depths 1 to 8 ("1:" to "8:", at most 7 characters each, the longest
// move text) and presses "Rechercher"; "<" brings the full report back;
// "Sortir" ends the exploration.
//
// The engine walks the tree: this dialog only shows texts and hands back
// what was typed. Texts arrive as UTF-8 with CR LF line ends.

#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "engine/search_driver.h"

class QLineEdit;
class QPlainTextEdit;

namespace quorvel {

class InformationDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFieldLength = 7;  // characters per field

    InformationDialog(const std::string& currentText, const std::string& initialText,
                      QWidget* parent = nullptr);

    // Shows the dialog modally. Returns the eight fields for "Rechercher"
    // with field 1 filled; nullopt for "Sortir", the close box, or
    // "Rechercher" with field 1 empty (nothing to look for). `fields`, when
    // given, fills the fields first and keeps what they held at the close,
    // so the next showing of the same exploration finds them as they were.
    static std::optional<ExplorerPath> ask(const std::string& currentText, const std::string& initialText,
                                           QWidget* parent = nullptr, ExplorerPath* fields = nullptr);
    static std::optional<ExplorerPath> ask(const QString& currentText, const QString& initialText,
                                           QWidget* parent = nullptr, ExplorerPath* fields = nullptr) {
        return ask(currentText.toStdString(), initialText.toStdString(), parent, fields);
    }

    // The fields and buttons, also for tests. Field k is 0..7.
    void setField(int k, const QString& text);
    QString field(int k) const;
    QString shownText() const;
    void pressSearch();
    void pressBack();
    void pressExit() { reject(); }

    const std::optional<ExplorerPath>& path() const { return path_; }

private:
    void showText(const std::string& text);

    std::string initialText_;
    QPlainTextEdit* report_;
    std::array<QLineEdit*, 8> fields_{};
    std::optional<ExplorerPath> path_;
};

}  // namespace quorvel
