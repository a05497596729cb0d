#pragma once
// The file commands of the main window: a new game, loading and saving a
// game, and restoring the recovery file. The window's command guard keeps
// them out while the computer has the game; a file that can't be read
// leaves the game exactly as it was.

#include <QString>
#include <string>

namespace quorvel {

class FileLocations;
class GameController;

class FileCommands {
public:
    static constexpr const char* kDefaultName = "partie.ech";

    FileCommands(GameController& controller, const FileLocations& locations)
        : controller_(controller), locations_(locations) {}

    void newGame();
    void load();
    void save();
    void saveAs();
    void recover();

    // The file "Sauve&garder une partie" writes to; a name without a folder
    // lies in the documents folder.
    const std::string& gameFileName() const { return gameFileName_; }
    void setGameFileName(std::string name) { gameFileName_ = std::move(name); }

private:
    GameController& controller_;
    const FileLocations& locations_;
    std::string gameFileName_ = kDefaultName;
};

}  // namespace quorvel
