// Where the game keeps its files: the settings in the user's configuration
// folder, the recovery file in the user's data folder, games saved under a
// bare name in the documents folder, the book found beside the program or
// in the installed data folder; never anything in the current folder.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "window/command_ids.h"
#include "window/startup.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class UserFiles : public WindowTest {
protected:
    // Runs `act` with the current folder set to an empty folder of its
    // own, and says whether that folder is still empty afterwards.
    template <class Act>
    bool leavesCurrentFolderEmpty(Act act) {
        QTemporaryDir current;
        inCurrentFolder(current.path(), act);
        return QDir(current.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // A fake installed tree inside the test's folder: the program in bin/,
    // the data in share/quorvel/.
    void installInFolder() {
        FileLocations::Folders folders = locations->folders();
        folders.program = path("bin");
        *locations = FileLocations(folders);
        QDir(folder->path()).mkpath("bin");
        QDir(folder->path()).mkpath("share/quorvel");
    }
    // A small book, or any file.
    static void writeBook(const QString& path) {
        QFile book(path);
        ASSERT_TRUE(book.open(QIODevice::WriteOnly));
        book.write("e2e4 e7e5 g1f3\n");
    }
    // The start-up's check of the user's folders, with the configuration
    // folder, the data folder or both where no one can make them, not even
    // root: under a plain file.
    FileLocations::Folders checkBlockedFolders(bool config, bool data) {
        const QString blocker = path("bloque");
        writeBook(blocker);
        FileLocations::Folders folders = locations->folders();
        if (config) folders.config = blocker + "/config";
        if (data) folders.data = blocker + "/data";
        *locations = FileLocations(folders);
        window->prepareUserFolders();
        return folders;
    }
};

TEST_F(UserFiles, RecoveryAndSettingsGoToTheUserFoldersNotTheCurrentOne) {
    EXPECT_TRUE(leavesCurrentFolderEmpty([this] {
        window->runCommand(cmd::kModeHumanHuman);
        playChess("e2", "e4");
        dialogs.answers.push_back(BoxAnswer::yes);
        window->runCommand(cmd::kQuit);
    }));
    EXPECT_EQ(QFileInfo(dataFile("partie.tmp")).size(), 24 + 89);
    EXPECT_EQ(QFileInfo(configFile("quorvel.ini")).size(), 183);
}

TEST_F(UserFiles, AGameSavedUnderABareNameGoesToTheDocumentsFolder) {
    window->runCommand(cmd::kModeHumanHuman);
    playChess("e2", "e4");
    EXPECT_TRUE(leavesCurrentFolderEmpty([this] { window->runCommand(cmd::kSaveGame); }));
    EXPECT_EQ(dialogs.lastText(), QString::fromUtf8("Sauvegarde réussie"));
    EXPECT_EQ(QFileInfo(documentsFile("partie.ech")).size(), 24 + 89);
    EXPECT_EQ(window->files().gameFileName(), "partie.ech") << "the settings keep the name as it was";
}

TEST_F(UserFiles, UnwritableFoldersAreSaidOnceAndTheGameGoesOn) {
    const FileLocations::Folders folders = checkBlockedFolders(true, true);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "Erreur Quorvel 1.0");
    EXPECT_EQ(dialogs.boxes[0].icon, BoxIcon::exclamation);
    EXPECT_EQ(dialogs.beeps, 1);
    const QString text = dialogs.boxes[0].text;
    EXPECT_TRUE(text.contains(folders.config) && text.contains(folders.data)) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("les réglages ne seront pas enregistrés")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("la partie en cours ne sera pas enregistrée")));

    // Moves and a changed option, then quitting: no other word about the
    // folders, the option kept for the session, and the program still ends.
    window->runCommand(cmd::kModeHumanHuman);
    window->runCommand(cmd::kPieceSet2);
    playChess("e2", "e4");
    playChess("e7", "e5");
    EXPECT_EQ(record().plyCount, 2);
    EXPECT_EQ(controller().display().pieceSet, 20);
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[1].text, QString::fromUtf8("Êtes-vous sûr de vouloir quitter Quorvel ?"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(UserFiles, OnlyTheFolderThatFailsIsNamed) {
    const FileLocations::Folders folders = checkBlockedFolders(false, true);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_FALSE(dialogs.boxes[0].text.contains(folders.config));
    EXPECT_TRUE(dialogs.boxes[0].text.contains(folders.data));
    EXPECT_TRUE(QFileInfo(folders.config).isDir()) << "the other folder is made on first use";
}

TEST_F(UserFiles, TheBookComesFromTheInstalledTreeOrTheUsersOwnCopy) {
    installInFolder();
    const QString installed = path("share/quorvel/ouvertures.txt");
    const QString own = dataFile("ouvertures.txt");
    // A book in the current folder alone is not the game's.
    QTemporaryDir current;
    writeBook(current.filePath("ouvertures.txt"));
    inCurrentFolder(current.path(), [this] { loadOpeningBook(*window); });
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Impossible de trouver le fichier 'ouvertures.txt'");

    writeBook(installed);
    EXPECT_EQ(locations->bookPath(), installed);
    controller().status().bookPlay = true;
    loadOpeningBook(*window);
    EXPECT_EQ(dialogs.boxes.size(), 1u) << "found: no second message";
    EXPECT_TRUE(controller().status().bookPlay);

    QDir().mkpath(locations->folders().data);
    writeBook(own);
    EXPECT_EQ(locations->bookPath(), own);
    // Clips are never the user's: they come from the installed tree.
    EXPECT_EQ(locations->shippedFile("intro.avi"), path("share/quorvel/intro.avi"));
}

TEST_F(UserFiles, TheDialogsStartWhereTheCurrentGameFileLies) {
    EXPECT_EQ(locations->dialogStart("partie.ech"), documentsFile("partie.ech"));
    // The settings name a game saved in a folder of the user's: the next
    // start opens the dialogs there.
    QDir(folder->path()).mkpath("parties");
    const QString saved = path("parties/ma partie.ech");
    window->files().setGameFileName(saved.toStdString());
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);
    FileLocations nextRun(locations->folders());
    GameWindow next(dialogs, nextRun);
    next.readSettingsFile();
    EXPECT_EQ(nextRun.dialogStart("partie.ech"), path("parties/partie.ech"));
}

}  // namespace
}  // namespace quorvel::testing
