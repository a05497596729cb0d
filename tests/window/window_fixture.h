#pragma once
// A real main window on the offscreen platform, answered through the fake
// box layer, with short timers and a shallow engine so a computer move takes
// a fraction of a second.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "features/fake_dialog_service.h"
#include "features/fake_speaker.h"
#include "features/file_locations.h"
#include "rules/fen.h"
#include "window/game_window.h"

namespace quorvel::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    GameController& controller() { return window->controller(); }
    PlayState& play() { return controller().state(); }
    GameRecord& record() { return play().record; }

    // Sets the game to a FEN position, White the human (lower) side unless
    // `humanBlack`.
    void setFen(const std::string& fen, bool humanBlack = false);
    // Client point at the centre of a stored square (X, Y).
    QPoint storedSquarePoint(int x, int y);
    // Client point of a chess square such as "e2" in the current view.
    QPoint chessSquarePoint(const char* square);
    void leftClick(QPoint client);
    void clickChess(const char* square) { leftClick(chessSquarePoint(square)); }
    // Plays a move by two clicks ("e2", "e4").
    void playChess(const char* from, const char* to) {
        clickChess(from);
        clickChess(to);
    }
    void moveMouse(QPoint client);
    QString cell(int i) const;
    QString shownStatus() const;
    // A file in the test's own folder, outside the user's folders.
    QString path(const char* name) const { return folder->path() + '/' + name; }
    // A file in the user's configuration, data or documents folder.
    QString configFile(const char* name) const { return locations->folders().config + '/' + name; }
    QString dataFile(const char* name) const { return locations->folders().data + '/' + name; }
    QString documentsFile(const char* name) const { return locations->folders().documents + '/' + name; }
    // Runs `act` with `current` as the process's current folder.
    template <class Act>
    static void inCurrentFolder(const QString& current, Act act) {
        const QString before = QDir::currentPath();
        QDir::setCurrent(current);
        act();
        QDir::setCurrent(before);
    }

    FakeDialogService dialogs;
    // The window's voice, which keeps what it is asked to say.
    FakeSpeaker* speaker = nullptr;
    std::unique_ptr<QTemporaryDir> folder;
    // The user's folders, all inside `folder`.
    std::unique_ptr<FileLocations> locations;
    std::unique_ptr<GameWindow> window;
};

}  // namespace quorvel::testing
