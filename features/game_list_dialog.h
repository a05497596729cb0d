#pragma once
// The list of the games of a PGN file, one line each ("White – Black,
// Event, Date, Result"), from which the user picks the game to import.

#include <QDialog>
#include <QStringList>
#include <optional>

class QListWidget;

namespace quorvel {

class GameListDialog : public QDialog {
    Q_OBJECT
public:
    explicit GameListDialog(const QStringList& games, QWidget* parent = nullptr);

    // Shows the list modally; the chosen line's index, nullopt when cancelled.
    static std::optional<int> choose(const QStringList& games, QWidget* parent = nullptr);

    int chosenRow() const;

private:
    QListWidget* list_ = nullptr;
};

}  // namespace quorvel
