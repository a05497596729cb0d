#pragma once
// Where Quorvel's files live. The shipped data (the opening book, the
// clips) is found beside the program in a build folder, else in the
// installed data folder, a user's own "ouvertures.txt" in the user's data
// folder first. The settings file goes in the user's configuration folder,
// the recovery file in the user's data folder. The file dialogs open in the
// documents folder the first time, then where the user last was. Nothing
// here looks at the current folder.
//
// One object per run, shared by the window and the dialog service; tests
// build one whose user folders lie in a temporary folder.

#include <QString>

#include "storage/data_files.h"

namespace quorvel {

class FileLocations {
public:
    struct Folders {
        QString config;     // quorvel.ini
        QString data;       // partie.tmp and the user's own ouvertures.txt
        QString documents;  // the dialogs' first folder; games saved under a bare name
        QString program;    // the running program's folder (shipped data beside it)
    };

    explicit FileLocations(Folders folders) : folders_(std::move(folders)) {}
    // The user's folders from QStandardPaths (the application's name must
    // be set first), the program's folder from the running executable.
    static FileLocations standard();
    // Every user folder inside `root`, its documents folder made; shipped
    // data as for standard().
    static FileLocations under(const QString& root);

    const Folders& folders() const { return folders_; }
    QString recoveryPath() const;
    // The options kept beside quorvel.ini (storage/preferences_file.h).
    QString preferencesPath() const;
    // The player's results at each level (storage/level_results.h).
    QString levelResultsPath() const;
    // The book the game reads; empty when there is none anywhere.
    QString bookPath() const;
    // A shipped file such as a clip: where it is, or its installed place
    // when it is nowhere (the clip player then finds it missing).
    QString shippedFile(const QString& name) const;

    // Creates `folder` when missing; false when it can't be made or a file
    // can't be written in it.
    static bool makeWritable(const QString& folder);

    // File dialogs
    // The path a file dialog starts on: `defaultName` in the last folder
    // used, the documents folder at first.
    QString dialogStart(const QString& defaultName) const;
    // A file chosen (or a game named in the settings): its folder becomes
    // the dialogs' folder. Names without a folder are ignored.
    void rememberChosen(const QString& path);
    // The dialogs' folder, kept between runs: empty until a file is chosen.
    QString lastFolder() const { return lastFolder_; }
    // A folder remembered from an earlier run; a relative one is ignored.
    void rememberFolder(const QString& folder);
    // Where a game file named without a folder ("partie.ech") is written.
    QString gameFilePath(const QString& name) const;

private:
    DataFolders dataFolders() const;
    QString documentsOrHome() const;

    Folders folders_;
    QString lastFolder_;  // empty until a file is chosen
};

}  // namespace quorvel
