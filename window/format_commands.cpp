#include "window/format_commands.h"

#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>

#include "features/dialog_service.h"
#include "rules/fen.h"
#include "rules/record_positions.h"
#include "storage/pgn_export.h"
#include "storage/pgn_import.h"
#include "storage/replace_file.h"
#include "window/file_commands.h"
#include "window/game_controller.h"

namespace quorvel {

namespace {

const QString kPgnFilter = QStringLiteral("Fichiers PGN (*.pgn)");
const QString kPgnDefaultName = QStringLiteral("partie.pgn");
// Larger files are game databases, not games to play on.
constexpr qint64 kLargestPgnFile = 64 * 1024 * 1024;

}  // namespace

QString FormatCommands::humanName() {
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString name = qEnvironmentVariable(variable).trimmed();
        if (!name.isEmpty()) return name;
    }
    return QStringLiteral("Joueur");
}

QString FormatCommands::pgnNameFor(const QString& gameFile) {
    const QString base = QFileInfo(gameFile).completeBaseName();
    return base.isEmpty() ? kPgnDefaultName : base + QStringLiteral(".pgn");
}

// The game on the board was replaced by an imported or pasted one.
void FormatCommands::gameReplaced() {
    controller_.state().statusText = QStringLiteral(" ");
    controller_.status().firstPaintDone = false;
    controller_.status().bookPlay = true;
    controller_.gameReplaced();
    controller_.repaint();
}

void FormatCommands::exportPgn() {
    const PlayState& play = controller_.state();
    PgnExportOptions reviewed;
    const bool withReview =
        reviewSource_ && reviewSource_(play.record, reviewed) &&
        controller_.dialogs().message(
            infoCaption(), QStringLiteral("Inclure l'analyse de la partie (coups marqués et évaluations) ?"),
            BoxIcon::question, BoxButtons::yesNo) == BoxAnswer::yes;
    const QString suggested = pgnNameFor(QString::fromStdString(files_.gameFileName()));
    const auto path = controller_.dialogs().saveFileName(kPgnFilter, suggested);
    if (!path) return;
    QString name = *path;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".pgn");

    PgnExportOptions options;
    options.date = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString();
    options.humanName = humanName().toStdString();
    // A side that has not moved yet is played as the mode says.
    const bool playerIsBlack = play.record.playerIsBlack;
    options.fallbackRoles = {!play.humanVsHuman && (play.computerVsComputer || playerIsBlack),
                             !play.humanVsHuman && (play.computerVsComputer || !playerIsBlack)};
    if (withReview) {
        options.notes = std::move(reviewed.notes);
        options.annotator = std::move(reviewed.annotator);
    }
    const auto text = quorvel::exportPgn(play.record, options);
    if (const auto* problem = std::get_if<PgnExportError>(&text)) {
        controller_.dialogs().error(QString::fromStdString(problem->message));
        return;
    }
    if (!replaceFile(name.toStdString(), std::get<std::string>(text))) {
        controller_.dialogs().error(QStringLiteral("Création du fichier impossible !"));
        return;
    }
    controller_.dialogs().message(infoCaption(), QStringLiteral("Exportation réussie"), BoxIcon::none);
}

void FormatCommands::importPgn() {
    PlayState& play = controller_.state();
    const auto path = controller_.dialogs().openFileName(kPgnFilter, kPgnDefaultName);
    if (!path) return;
    // A pipe would keep the window waiting for a writer that never comes.
    const QFileInfo info(*path);
    if (info.exists() && !info.isFile()) {
        controller_.dialogs().error(
            QStringLiteral("Ce n'est pas un fichier PGN : un dossier, un tube ou un périphérique"));
        return;
    }
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        controller_.dialogs().error(QStringLiteral("Fichier introuvable !"));
        return;
    }
    if (file.size() > kLargestPgnFile) {
        controller_.dialogs().error(
            QStringLiteral("Fichier trop volumineux : une partie PGN en fait rarement plus de quelques Ko"));
        return;
    }
    const QByteArray bytes = file.readAll();
    const std::vector<PgnGameText> games = readPgnGames(std::string_view(bytes.constData(), bytes.size()));
    if (games.empty()) {
        controller_.dialogs().error(QStringLiteral("Aucune partie PGN dans ce fichier"));
        return;
    }
    std::size_t chosen = 0;
    if (games.size() > 1) {
        QStringList lines;
        for (const PgnGameText& game : games) lines << QString::fromStdString(game.summary());
        const auto row = controller_.dialogs().chooseGame(lines);
        if (!row || *row < 0 || *row >= lines.size()) return;
        chosen = static_cast<std::size_t>(*row);
    }
    if (const auto problem = importPgnGame(games[chosen], static_cast<int>(chosen) + 1, play.record)) {
        controller_.dialogs().error(QString::fromStdString(problem->message));
        return;
    }
    gameReplaced();
}

void FormatCommands::copyFen() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(formatFen(controller_.state().record)));
}

void FormatCommands::pasteFen() {
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    // The player takes the side to move.
    auto parsed = parseLegalFen(text.toStdString(), FenOrientation::sideToMoveLower);
    if (const auto* problem = std::get_if<FenError>(&parsed)) {
        controller_.dialogs().error(QStringLiteral("Position refusée : ") +
                                    QString::fromStdString(problem->message));
        return;
    }
    // A game under way is not thrown away unasked, as a new game is not.
    const GameRecord& game = controller_.state().record;
    if (game.recordLength > setupPly(game) &&
        controller_.dialogs().message(
            infoCaption(),
            QStringLiteral("Voulez-vous remplacer la partie en cours par la position collée ?"),
            BoxIcon::question, BoxButtons::yesNo) != BoxAnswer::yes)
        return;
    auto record = std::make_unique<GameRecord>(std::get<FenSetup>(parsed).record);
    keepSetupInHistory(*record);
    // A new game, whose position is the pasted one.
    controller_.resetForNewGame();
    controller_.state().record = *record;
    gameReplaced();
}

}  // namespace quorvel
