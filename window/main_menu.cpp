#include "window/main_menu.h"

#include <QKeySequence>
#include <QMenuBar>

#include "engine/levels.h"
#include "window/command_ids.h"

namespace quorvel {

MainMenu::MainMenu(QMenuBar* bar, std::function<void(int)> runCommand) : commands_(std::move(runCommand)) {
    buildFile(bar);
    buildPlay(bar);
    buildOptions(bar);
    buildLevels(bar);
    buildDisplay(bar);
    buildHelp(bar);
}

QAction* MainMenu::add(QMenu* menu, int id, const char* text, bool checkable) {
    return commands_.add(menu, id, QString::fromUtf8(text), checkable);
}

void MainMenu::setChecked(int id, bool checked) {
    if (QAction* a = action(id)) a->setChecked(checked);
}

void MainMenu::buildFile(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Fichier"));
    add(menu, cmd::kNewGame, "&Nouvelle partie");
    add(menu, cmd::kLoadGame, "&Charger une partie...");
    add(menu, cmd::kSaveGame, "Sauve&garder une partie");
    add(menu, cmd::kSaveGameAs, "&Sauvegarder une partie sous...");
    add(menu, cmd::kRecoverGame, "&Récupération de la dernière partie");
    menu->addSeparator();
    add(menu, cmd::kImportPgn, "Im&porter une partie PGN...");
    add(menu, cmd::kExportPgn, "&Exporter la partie en PGN...");
    menu->addSeparator();
    add(menu, cmd::kPrint, "&Imprimer...");
    menu->addSeparator();
    add(menu, cmd::kQuit, "&Quitter le programme");
}

void MainMenu::buildPlay(QMenuBar* bar) {
    // The buttons "A &Propos" and "&Aide" take Alt+P and Alt+A in the window.
    QMenu* menu = bar->addMenu(QStringLiteral("Pa&rtie"));
    add(menu, cmd::kComputerFirst, "L'&ordinateur joue en premier");
    QMenu* side = menu->addMenu(QStringLiteral("&Camp du joueur"));
    add(side, cmd::kSideWhite, "&Blancs", true);
    add(side, cmd::kSideBlack, "&Noirs", true);
    QMenu* mode = menu->addMenu(QStringLiteral("&Adversaires"));
    add(mode, cmd::kModeComputerHuman, "&Ordinateur / Humain", true);
    add(mode, cmd::kModeHumanHuman, "&Humain / Humain", true);
    add(mode, cmd::kModeComputerComputer, "O&rdinateur / Ordinateur", true);
    menu->addSeparator();
    add(menu, cmd::kReviewLastMove, "&Revoir le dernier mouvement");
    add(menu, cmd::kCapturedPieces, "&Voir les pièces capturées");
    add(menu, cmd::kShowThinking, "Afficher la réfle&xion de l'ordinateur", true);
    menu->addSeparator();
    add(menu, cmd::kCopyFen, "Co&pier la position (FEN)");
    add(menu, cmd::kPasteFen, "Co&ller une position (FEN)");
    menu->addSeparator();
    add(menu, cmd::kFocusMoveField, "&Taper un coup")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QMenu* say = menu->addMenu(QStringLiteral("&Dire"));
    add(say, cmd::kSayLastMove, "Le dernier &coup")->setShortcut(QKeySequence(Qt::Key_F5));
    add(say, cmd::kSayClocks, "Les &horloges")->setShortcut(QKeySequence(Qt::Key_F6));
    add(say, cmd::kSayWhitePieces, "Les pièces &blanches")->setShortcut(QKeySequence(Qt::Key_F7));
    add(say, cmd::kSayBlackPieces, "Les pièces &noires")->setShortcut(QKeySequence(Qt::Key_F8));
    add(menu, cmd::kSuggestMove, "Su&ggérer un coup")->setShortcut(QKeySequence(Qt::Key_H));
    add(menu, cmd::kReviewGame, "Anal&yser la partie");
    menu->addSeparator();
    add(menu, cmd::kCopyFen, "Copier la position (FEN)");
    add(menu, cmd::kPasteFen, "Coller une position (FEN)");
}

void MainMenu::buildOptions(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Options"));
    QMenu* time = menu->addMenu(QStringLiteral("&Temps de réflexion"));
    static const char* const kPresets[] = {"5 secondes",  "10 secondes", "20 secondes", "30 secondes",
                                           "45 secondes", "1 minute",    "2 minutes",   "3 minutes"};
    for (int i = 0; i < 8; ++i) add(time, cmd::kTimePresetFirst + i, kPresets[i], true);
    time->addSeparator();
    add(time, cmd::kTimeDefine, "Définir...");
    add(menu, cmd::kEngineOptions, "Options du &moteur de recherche");
    menu->addSeparator();
    add(menu, cmd::kBoxAtEveryCheck, "Boîte de dialogue à chaque échec", true);
    add(menu, cmd::kAnnounceMoves, "&Annoncer les coups", true);
    menu->addSeparator();
    add(menu, cmd::kCoachWarnings, "&Entraîneur", true);
    add(menu, cmd::kCoachSettings, "Réglages de l'e&ntraîneur...");
}

void MainMenu::buildLevels(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Niveau"));
    for (int level = 1; level <= kLevelCount; ++level) {
        const QString text = QStringLiteral("Niveau %1 (≈ %2 Elo)").arg(level).arg(levelPreset(level).elo);
        add(menu, cmd::kLevelFirst + level - 1, text.toUtf8().constData(), true);
    }
    // The levels an installed engine plays above these: named and shown
    // once the engines are known (LevelCommands::showLadder).
    for (int id = cmd::kLevelFirst + kLevelCount; id < cmd::kLevelCustom; ++id)
        add(menu, id, "", true)->setVisible(false);
    add(menu, cmd::kLevelCustom, "Personnalisé...", true);
    menu->addSeparator();
    add(menu, cmd::kLevelResults, "Mes résultats...");
}

void MainMenu::buildDisplay(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("Affic&hage"));
    QMenu* pieces = menu->addMenu(QStringLiteral("P&ièces"));
    add(pieces, cmd::kPieceSet1, "Modèle &1 ", true);
    add(pieces, cmd::kPieceSet2, "Modèle &2", true);
    add(pieces, cmd::kPieceSet3, "Modèle &3", true);
    QMenu* colours = menu->addMenu(QStringLiteral("Co&uleurs"));
    add(colours, cmd::kDarkColour, "Cases &sombres");
    add(colours, cmd::kLightColour, "Cases &claires");
    add(colours, cmd::kBorderColour, "Couleur du &bord");
    colours->addSeparator();
    add(colours, cmd::kDefaultColours, "Couleurs par &défaut");
    QMenu* notation = menu->addMenu(QStringLiteral("Not&ation"));
    add(notation, cmd::kAlgebraic, "Algébrique", true);
    add(notation, cmd::kCoordinateNotation, "Coordonnées", true);
    menu->addSeparator();
    add(menu, cmd::kBoardCoordinates, "&Coordonnées de l'échiquier", true);
    add(menu, cmd::kShadedPieces, "Pièces &ombrées", true);
    add(menu, cmd::kPossibleMoves, "Mouvements &possibles", true);
    add(menu, cmd::kTurnBoard, "&Tourner l'échiquier de 180°", true);
}

void MainMenu::buildHelp(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("Ai&de"));
    add(menu, cmd::kHelp, "&Aide sur le programme");
    add(menu, cmd::kUpdateCheck, "&Mise à jour de Quorvel");
    add(menu, cmd::kVisitSite, "&Visiter le site de Quorvel");
    menu->addSeparator();
    add(menu, cmd::kAbout, "A &Propos...");
}

}  // namespace quorvel
