#include "window/file_commands.h"

#include <QFileInfo>

#include "features/dialog_service.h"
#include "features/file_locations.h"
#include "rules/move_application.h"
#include "storage/game_file.h"
#include "window/game_controller.h"

namespace quorvel {

namespace {
const QString kFilter = QStringLiteral("Fichiers Quorvel (.ech) (*.ech)");
}  // namespace

void FileCommands::newGame() {
    const BoxAnswer answer = controller_.dialogs().message(
        infoCaption(), QStringLiteral("Voulez-vous commencer une nouvelle partie ?"), BoxIcon::question,
        BoxButtons::yesNo);
    if (answer != BoxAnswer::yes) return;
    controller_.resetForNewGame();
    controller_.repaint();
}

void FileCommands::load() {
    PlayState& play = controller_.state();
    play.markerOn = false;
    const auto path = controller_.dialogs().openFileName(kFilter, QString::fromUtf8(kDefaultName));
    if (!path) {
        controller_.repaint();
        return;
    }
    if (const GameFileError error = readGameFile(path->toStdString(), play.record);
        error != GameFileError::none) {
        controller_.dialogs().error(gameFileDamaged(error) ? QStringLiteral("Fichier endommagé !")
                                                           : QStringLiteral("Fichier introuvable !"));
        return;
    }
    play.statusText = QStringLiteral(" ");
    controller_.gameReplaced();
    controller_.repaint();
}

void FileCommands::save() {
    const QString path = locations_.gameFilePath(QString::fromStdString(gameFileName_));
    if (writeGameFile(path.toStdString(), controller_.state().record)) {
        controller_.dialogs().message(infoCaption(), QStringLiteral("Sauvegarde réussie"), BoxIcon::none);
    } else {
        controller_.dialogs().error(QStringLiteral("Création du fichier impossible !"));
    }
}

void FileCommands::saveAs() {
    const auto path = controller_.dialogs().saveFileName(kFilter, QString::fromUtf8(kDefaultName));
    if (!path) return;
    QString name = *path;
    // The dialog's default extension: a bare name gets ".ech".
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".ech");
    gameFileName_ = name.toStdString();
    save();
}

void FileCommands::recover() {
    PlayState& play = controller_.state();
    play.markerOn = false;
    if (const GameFileError error = readGameFile(controller_.recoveryPath(), play.record);
        error != GameFileError::none) {
        controller_.dialogs().error(gameFileDamaged(error) ? QStringLiteral("Fichier endommagé")
                                                           : QStringLiteral("Fichier introuvable"));
        return;
    }
    controller_.gameReplaced();
    controller_.dialogs().message(infoCaption(), QStringLiteral("Restauration réussie !"), BoxIcon::none);
    controller_.repaint();
}

}  // namespace quorvel
