// The commands of the main window: the menu, the buttons, the toolbar, the
// spin controls and the keys all run them by id through runCommand, which
// asks the command guard first.

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "features/about_dialog.h"
#include "features/captured_pieces_window.h"
#include "features/dialog_service.h"
#include "features/engine_options_dialog.h"
#include "features/file_locations.h"
#include "features/game_printer.h"
#include "features/help_window.h"
#include "features/score_layout.h"
#include "features/speaker.h"
#include "features/time_limits_dialog.h"
#include "features/update_check.h"
#include "storage/settings_file.h"
#include "window/board_renderer.h"
#include "window/command_guard.h"
#include "window/command_ids.h"
#include "window/engine_menu.h"
#include "window/game_window.h"
#include "window/level_commands.h"
#include "window/keyboard_play.h"
#include "window/main_menu.h"
#include "window/settings_mapping.h"
#include "window/up_down_control.h"

namespace quorvel {

CommandContext GameWindow::commandContext() const {
    return {controller_.computerBusy(), controller_.state().reviewing, controller_.engineThinking()};
}

void GameWindow::runCommand(int id) {
    switch (commandVerdict(id, commandContext())) {
        case CommandVerdict::refuse:
            return;
        case CommandVerdict::cancelReplayThenRun:
            history_.endReplay();
            break;
        case CommandVerdict::endEngineSearchThenRun:
            // The engine's search is dropped; the command runs once the
            // move that waited for it has unwound.
            controller_.abandonEngineSearch();
            controller_.afterFlows([this, id, serial = controller_.state().positionSerial] {
                runCommand(id);
                // Answered "Non", or a file dialog cancelled: the game is as
                // it was, and the engine thinks again.
                if (controller_.state().positionSerial == serial) controller_.playIfComputersTurn();
            });
            return;
        case CommandVerdict::run:
            break;
    }
    if (!levels_->run(id) && !runDisplayCommand(id) && !runGameCommand(id) && !runDialogCommand(id) &&
        !runKeyboardCommand(id) &&
        !runEngineCommand(id))
        runCoachCommand(id);
    if (closing_) return;
    // An engine option or a time changed by hand leaves the level.
    levels_->followHandChanges();
    if (menu_) levels_->setChecks(*menu_);
}

bool GameWindow::runKeyboardCommand(int id) {
    switch (id) {
        case cmd::kFocusMoveField:
            keyboard_->focusField();
            break;
        case cmd::kPlayTypedMove:
            keyboard_->playTypedText();
            break;
        case cmd::kAnnounceMoves:
            if (speaker_->available()) announcer_.setEnabled(!announcer_.enabled());
            setMenuChecks();
            break;
        case cmd::kSayLastMove:
            announcer_.sayLastMove();
            break;
        case cmd::kSayClocks:
            announcer_.sayClocks();
            break;
        case cmd::kSayWhitePieces:
        case cmd::kSayBlackPieces:
            announcer_.sayPieces(id == cmd::kSayWhitePieces);
            break;
        default:
            return false;
    }
    return true;
}

void GameWindow::updateSpeechOption() {
    QAction* option = menu_ ? menu_->action(cmd::kAnnounceMoves) : nullptr;
    if (!option) return;
    const bool voice = speaker_->available();
    option->setEnabled(voice);
    option->setToolTip(voice ? QStringLiteral("Dire chaque coup joué, le vôtre et celui de l'ordinateur")
                             : speaker_->unavailableReason());
    option->setStatusTip(option->toolTip());
}

GameWindow::ButtonCommands GameWindow::buttonCommands() const {
    return {{{layout_.quit, cmd::kQuit},
             {layout_.about, cmd::kAbout},
             {layout_.help, cmd::kHelp},
             {layout_.stop, cmd::kStopSearch},
             {layout_.takeBack, cmd::kTakeBack}}};
}

void GameWindow::updateCommandStates() {
    const CommandContext context = commandContext();
    // Whose turn it is changes within one context too (two humans, a game
    // that ends).
    if (keyboard_)
        keyboard_->updateField(commandVerdict(cmd::kPlayTypedMove, context) != CommandVerdict::refuse);
    // Every repaint asks; what is allowed changes only with the context.
    if (appliedContext_ == context) return;
    appliedContext_ = context;
    auto allowed = [&](int id) { return commandVerdict(id, context) != CommandVerdict::refuse; };
    if (menu_)
        for (const int id : menu_->ids()) menu_->action(id)->setEnabled(allowed(id));
    updateSpeechOption();
    for (const auto& [button, id] : buttonCommands()) button->setEnabled(allowed(id));
    layout_.history->setEnabled(allowed(cmd::kHistoryBack));
    layout_.listScroll->setEnabled(allowed(cmd::kScrollListBack));
    if (engineMenu_) engineMenu_->updateStates(allowed, controller_.opponents());
}

void GameWindow::chooseColour(std::uint32_t& colour) {
    // The chooser opens on the colour in use, so a small change is a small step.
    const auto chosen = dialogs_.chooseColour(colourFromBgr(colour));
    if (chosen) colour = bgrFromColour(*chosen);
}

bool GameWindow::runDisplayCommand(int id) {
    DisplayOptions& d = controller_.display();
    switch (id) {
        case cmd::kPieceSet1:
            d.pieceSet = 0;
            break;
        case cmd::kPieceSet2:
            d.pieceSet = 20;
            break;
        case cmd::kPieceSet3:
            d.pieceSet = 40;
            break;
        case cmd::kDarkColour:
            chooseColour(d.darkColour);
            break;
        case cmd::kLightColour:
            chooseColour(d.lightColour);
            break;
        case cmd::kBorderColour:
            chooseColour(d.borderColour);
            break;
        case cmd::kDefaultColours:
            d.darkColour = DisplayOptions::kDefaultDark;
            d.lightColour = DisplayOptions::kDefaultLight;
            d.borderColour = DisplayOptions::kDefaultBorder;
            break;
        case cmd::kAlgebraic:
            d.algebraic = true;
            break;
        case cmd::kCoordinateNotation:
            d.algebraic = false;
            break;
        case cmd::kBoardCoordinates:
            d.showCoordinates = !d.showCoordinates;
            break;
        case cmd::kShadedPieces:
            d.shadedPieces = !d.shadedPieces;
            break;
        case cmd::kPossibleMoves:
            d.showPossibleMoves = !d.showPossibleMoves;
            break;
        case cmd::kTurnBoard:
            d.boardTurned = !d.boardTurned;
            break;
        case cmd::kBoxAtEveryCheck:
            d.boxAtEveryCheck = !d.boxAtEveryCheck;
            break;
        case cmd::kShowThinking: {
            SearchStatus& status = controller_.status();
            status.showThinking = !status.showThinking;
            if (controller_.state().searchRunning)
                controller_.state().statusText = QStringLiteral("Recherche en cours...");
            break;
        }
        default:
            return false;
    }
    repaintAll();
    return true;
}

bool GameWindow::runGameCommand(int id) {
    switch (id) {
        case cmd::kComputerFirst:
            controller_.computerPlaysNow();
            break;
        case cmd::kSideWhite:
            controller_.setSideWhite();
            controller_.playIfComputersTurn();
            break;
        case cmd::kSideBlack:
            controller_.setSideBlack();
            controller_.playIfComputersTurn();
            break;
        case cmd::kChangeSide:
            controller_.changeSide();
            controller_.playIfComputersTurn();
            break;
        case cmd::kModeComputerHuman:
            controller_.setModeComputerHuman();
            break;
        case cmd::kModeHumanHuman:
            controller_.setModeHumanHuman();
            break;
        case cmd::kModeComputerComputer:
            controller_.runComputerVsComputer();
            break;
        case cmd::kStopSearch:
            // The coach's hint or look at a move, when one runs, is what stops.
            if (!coach_->interrupt()) controller_.pressStopButton();
            break;
        case cmd::kTakeBack:
            history_.undo();
            break;
        case cmd::kReviewLastMove:
            history_.reviewLastMove();
            break;
        case cmd::kHistoryBack:
        case cmd::kHistoryForward:
            history_.step(id == cmd::kHistoryBack);
            break;
        case cmd::kScrollListBack:
        case cmd::kScrollListForward:
            history_.scrollList(id == cmd::kScrollListForward ? +1 : -1);
            break;
        case cmd::kNewGame:
            files_.newGame();
            break;
        case cmd::kLoadGame:
            files_.load();
            break;
        case cmd::kSaveGame:
            files_.save();
            break;
        case cmd::kSaveGameAs:
            files_.saveAs();
            break;
        case cmd::kRecoverGame:
            files_.recover();
            break;
        case cmd::kImportPgn:
            formats_.importPgn();
            break;
        case cmd::kExportPgn:
            formats_.exportPgn();
            break;
        case cmd::kCopyFen:
            formats_.copyFen();
            break;
        case cmd::kPasteFen:
            formats_.pasteFen();
            break;
        case cmd::kQuit:
            quitWithConfirmation();
            break;
        default:
            return false;
    }
    return true;
}

bool GameWindow::runDialogCommand(int id) {
    static constexpr int kPresets[8][2] = {{4, 4},   {9, 8},   {15, 10},  {25, 15},
                                           {40, 20}, {50, 30}, {200, 40}, {240, 60}};
    if (id >= cmd::kTimePresetFirst && id <= cmd::kTimePresetLast) {
        const auto* preset = kPresets[id - cmd::kTimePresetFirst];
        controller_.limits().mainTimeLimit = preset[0];
        controller_.limits().secondaryTimeLimit = preset[1];
        repaintAll();
        return true;
    }
    switch (id) {
        case cmd::kTimeDefine:
            if (const auto limits = TimeLimitsDialog::edit(controller_.limits(), dialogs_, this))
                controller_.limits() = *limits;
            repaintAll();
            break;
        case cmd::kEngineOptions:
            controller_.engineOptions() =
                EngineOptionsDialog::edit(controller_.engineOptions(), dialogs_, this, otherEngineName());
            break;
        case cmd::kCapturedPieces: {
            Position whiteLower = controller_.state().record.current;
            if (controller_.state().record.playerIsBlack) mirrorPosition(whiteLower);
            CapturedPiecesWindow::showCaptured(whiteLower, controller_.display().pieceSet,
                                               locations_.shippedFile(QStringLiteral("pieceprise.avi")),
                                               this);
            break;
        }
        case cmd::kPrint:
            GamePrinter(dialogs_, this)
                .printCommand(printedHalfMoves(controller_.state().record, controller_.display().algebraic));
            break;
        case cmd::kAbout:
            AboutDialog::showAbout(locations_.shippedFile(QStringLiteral("apropos.avi")), this);
            break;
        case cmd::kHelp:
            if (!help_) help_ = new HelpWindow(this);
            help_->showContents();
            break;
        case cmd::kUpdateCheck:
            UpdateCheck(dialogs_, this).checkForUpdate();
            break;
        case cmd::kVisitSite:
            UpdateCheck(dialogs_, this).visitSite();
            break;
        default:
            return false;
    }
    return true;
}

bool GameWindow::quitWithConfirmation() {
    // A second "Quitter" while the first one waits for the search.
    if (quitting_ || closing_) return false;
    quitting_ = true;
    const BoxAnswer answer =
        dialogs_.message(infoCaption(), QStringLiteral("Êtes-vous sûr de vouloir quitter Quorvel ?"),
                         BoxIcon::question, BoxButtons::yesNo);
    if (answer != BoxAnswer::yes) {
        quitting_ = false;
        return false;
    }
    // In every mode, also while the computer thinks or plays itself: the
    // search ends first, so the settings and the recovery file are the last
    // words written.
    controller_.endSearch();
    // A settings folder found unusable at start-up was said then: the
    // settings stay this session's.
    storePreferences();
    if (settingsWritable_ && !writeSettings(locations_.folders().config.toStdString(),
                                            collectSettings(controller_, files_.gameFileName()))) {
        dialogs_.error(QStringLiteral(
            "Impossible d'écrire le fichier 'quorvel.ini' : les réglages de cette séance ne seront pas "
            "conservés"));
    } else if (settingsWritable_ &&
               !writePreferences(locations_.preferencesPath().toStdString(), preferences_)) {
        dialogs_.error(QStringLiteral(
            "Impossible d'écrire le fichier 'preferences.ini' : les réglages de cette séance ne seront pas "
            "conservés"));
    }
    closeNow();
    return true;
}

}  // namespace quorvel
