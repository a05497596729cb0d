#include "features/file_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "storage/level_results.h"
#include "storage/preferences_file.h"

namespace quorvel {

namespace {

QString programFolder() {
    // Without an application object (some tools) the lookup falls back on
    // the same reading of /proc the command line makes.
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QString::fromStdString(defaultDataFolders().program);
}

}  // namespace

FileLocations FileLocations::standard() {
    return FileLocations({QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                          programFolder()});
}

FileLocations FileLocations::under(const QString& root) {
    const QDir dir(root);
    dir.mkpath(QStringLiteral("documents"));
    return FileLocations({dir.filePath(QStringLiteral("config")), dir.filePath(QStringLiteral("data")),
                          dir.filePath(QStringLiteral("documents")), programFolder()});
}

DataFolders FileLocations::dataFolders() const {
    return {folders_.data.toStdString(), folders_.program.toStdString()};
}

QString FileLocations::recoveryPath() const {
    return QDir(folders_.data).filePath(QStringLiteral("partie.tmp"));
}

QString FileLocations::preferencesPath() const {
    return QDir(folders_.config).filePath(QString::fromLatin1(kPreferencesFileName));
}

QString FileLocations::levelResultsPath() const {
    return QDir(folders_.data).filePath(QString::fromLatin1(kLevelResultsFileName));
}

QString FileLocations::bookPath() const {
    return QString::fromStdString(findDataFile(kBookFileName, dataFolders(), UserCopy::allowed));
}

QString FileLocations::shippedFile(const QString& name) const {
    const std::string found = findDataFile(name.toStdString(), dataFolders(), UserCopy::ignored);
    if (!found.empty()) return QString::fromStdString(found);
    return QDir(QString::fromStdString(installedDataFolder(folders_.program.toStdString()))).filePath(name);
}

bool FileLocations::makeWritable(const QString& folder) {
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    // Permissions alone don't tell (a read-only mount, root's rights): try.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".ecriture-XXXXXX")));
    return probe.open();
}

QString FileLocations::documentsOrHome() const {
    // The documents folder is the user's to make; a home without one
    // opens the dialogs at home.
    if (!folders_.documents.isEmpty() && QFileInfo(folders_.documents).isDir()) return folders_.documents;
    return QDir::homePath();
}

QString FileLocations::dialogStart(const QString& defaultName) const {
    const QString folder =
        !lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir() ? lastFolder_ : documentsOrHome();
    return QDir(folder).filePath(defaultName);
}

void FileLocations::rememberChosen(const QString& path) {
    const QFileInfo file(path);
    if (path.isEmpty() || file.isRelative()) return;
    lastFolder_ = file.absolutePath();
}

void FileLocations::rememberFolder(const QString& folder) {
    if (folder.isEmpty() || QFileInfo(folder).isRelative()) return;
    lastFolder_ = QDir::cleanPath(folder);
}

QString FileLocations::gameFilePath(const QString& name) const {
    if (name.isEmpty() || !QFileInfo(name).isRelative()) return name;
    return QDir(documentsOrHome()).filePath(name);
}

}  // namespace quorvel
