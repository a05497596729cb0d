#include "window/user_folders.h"

#include <QStringList>

#include "features/dialog_service.h"
#include "window/game_window.h"

namespace quorvel {

namespace {

QString unwritable(const QString& folder, const QString& consequence) {
    return QStringLiteral("Impossible de créer le dossier « %1 » ou d'y écrire : %2")
        .arg(folder, consequence);
}

}  // namespace

UserFolderCheck checkUserFolders(const FileLocations::Folders& folders) {
    UserFolderCheck check;
    QStringList problems;
    check.settingsWritable = FileLocations::makeWritable(folders.config);
    if (!check.settingsWritable)
        problems << unwritable(folders.config, QStringLiteral("les réglages ne seront pas enregistrés."));
    check.recoveryWritable = FileLocations::makeWritable(folders.data);
    if (!check.recoveryWritable)
        problems << unwritable(
            folders.data, QStringLiteral("la partie en cours ne sera pas enregistrée pour la récupération."));
    check.message = problems.join(QStringLiteral("\n\n"));
    return check;
}

void GameWindow::prepareUserFolders() {
    const UserFolderCheck check = checkUserFolders(locations_.folders());
    settingsWritable_ = check.settingsWritable;
    // The game goes on without the file the folder would hold.
    if (!check.recoveryWritable) controller_.setRecoveryPath({});
    if (!check.message.isEmpty()) dialogs_.error(check.message);
}

}  // namespace quorvel
