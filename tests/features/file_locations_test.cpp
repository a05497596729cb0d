// The file locations: the same user data folder as the command line finds
// without Qt, and file dialogs that open in the documents folder first,
// then where the user last chose a file.

#include "features/file_locations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "features/qt_dialog_service.h"

namespace quorvel {
namespace {

// Sets or unsets environment variables and the application's name for one
// scope.
class ScopedNames {
public:
    explicit ScopedNames(std::initializer_list<std::pair<const char*, std::optional<QByteArray>>> values)
        : name_(QCoreApplication::applicationName()) {
        QCoreApplication::setApplicationName(QStringLiteral("quorvel"));
        for (const auto& [variable, value] : values) {
            saved_.emplace_back(variable, qEnvironmentVariableIsSet(variable)
                                              ? std::optional<QByteArray>(qgetenv(variable))
                                              : std::nullopt);
            value ? qputenv(variable, *value) : qunsetenv(variable);
        }
    }
    ~ScopedNames() {
        for (const auto& [variable, value] : saved_) value ? qputenv(variable, *value) : qunsetenv(variable);
        QCoreApplication::setApplicationName(name_);
    }

private:
    QString name_;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

TEST(FileLocations, TheGameAndTheCommandLineFindTheSameUserFolders) {
    QTemporaryDir root;
    const QByteArray home = (root.path() + "/maison").toLocal8Bit();
    const QByteArray dataHome = (root.path() + "/donnees").toLocal8Bit();
    const QByteArray configHome = (root.path() + "/reglages").toLocal8Bit();
    struct Case {
        const char* name;
        std::optional<QByteArray> dataHome, configHome;
        QString data, config;
    } cases[] = {
        {"XDG folders set", dataHome, configHome, root.path() + "/donnees/quorvel",
         root.path() + "/reglages/quorvel"},
        {"XDG folders unset", std::nullopt, std::nullopt, root.path() + "/maison/.local/share/quorvel",
         root.path() + "/maison/.config/quorvel"},
    };
    for (const Case& c : cases) {
        ScopedNames names({{"HOME", home}, {"XDG_DATA_HOME", c.dataHome}, {"XDG_CONFIG_HOME", c.configHome}});
        const FileLocations locations = FileLocations::standard();
        const DataFolders core = defaultDataFolders();
        EXPECT_EQ(locations.folders().data, c.data) << c.name;
        EXPECT_EQ(locations.folders().data.toStdString(), core.user) << c.name;
        EXPECT_EQ(locations.folders().config, c.config) << c.name;
        EXPECT_EQ(locations.folders().program.toStdString(), core.program) << c.name;
    }
}

// Answers the next file dialog: notes the folder it opened in, then
// chooses `path` (or cancels when it is empty).
void answerNextFileDialog(QString* openedIn, const QString& path) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *openedIn = dialog->directory().absolutePath();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();  // as the Open or Save button does
        }
    });
}

TEST(FileLocations, FileDialogsOpenInTheDocumentsThenWhereTheUserWas) {
    QTemporaryDir root;
    FileLocations locations = FileLocations::under(root.path());
    QtDialogService dialogs(nullptr, &locations);
    QDir(root.path()).mkpath("a");
    QDir(root.path()).mkpath("b");
    QFile(root.path() + "/a/une.ech").open(QIODevice::WriteOnly);
    const QString filter = QStringLiteral("Fichiers Quorvel (.ech) (*.ech)");

    QString openedIn;
    answerNextFileDialog(&openedIn, root.path() + "/a/une.ech");
    EXPECT_EQ(dialogs.openFileName(filter, "partie.ech"), root.path() + "/a/une.ech");
    EXPECT_EQ(openedIn, locations.folders().documents) << "the first time";

    answerNextFileDialog(&openedIn, root.path() + "/b/deux.ech");
    EXPECT_EQ(dialogs.saveFileName(filter, "partie.ech"), root.path() + "/b/deux.ech");
    EXPECT_EQ(openedIn, root.path() + "/a");

    answerNextFileDialog(&openedIn, QString());
    EXPECT_EQ(dialogs.openFileName(filter, "partie.ech"), std::nullopt);
    EXPECT_EQ(openedIn, root.path() + "/b");
    answerNextFileDialog(&openedIn, QString());
    dialogs.openFileName(filter, "partie.ech");
    EXPECT_EQ(openedIn, root.path() + "/b") << "a cancelled dialog moves nothing";
}

TEST(FileLocations, FoldersThatVanishOrNamesWithoutAFolderFallBack) {
    QTemporaryDir root;
    FileLocations locations = FileLocations::under(root.path());
    locations.rememberChosen("partie.ech");
    EXPECT_EQ(locations.dialogStart("x.ech"), root.path() + "/documents/x.ech");
    QDir(root.path()).mkpath("parti");
    locations.rememberChosen(root.path() + "/parti/y.ech");
    QDir(root.path()).rmdir("parti");
    EXPECT_EQ(locations.dialogStart("x.ech"), root.path() + "/documents/x.ech");
    EXPECT_EQ(locations.gameFilePath("z.ech"), root.path() + "/documents/z.ech");
    EXPECT_EQ(locations.gameFilePath("/srv/z.ech"), "/srv/z.ech");
    // No documents folder: the home folder.
    QDir(root.path()).rmdir("documents");
    EXPECT_EQ(locations.gameFilePath("z.ech"), QDir::home().filePath("z.ech"));
}

}  // namespace
}  // namespace quorvel
