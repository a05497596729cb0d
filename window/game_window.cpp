#include "window/game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWheelEvent>

#include "features/dialog_service.h"
#include "features/file_locations.h"
#include "features/help_window.h"
#include "features/information_dialog.h"
#include "features/speaker.h"
#include "features/program_version.h"
#include "resources/artwork.h"
#include "storage/settings_file.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/dialog_units.h"
#include "window/engine_menu.h"
#include "window/level_commands.h"
#include "window/keyboard_play.h"
#include "window/main_menu.h"
#include "window/mouse_input.h"
#include "window/move_field.h"
#include "window/settings_mapping.h"
#include "window/startup.h"
#include "window/up_down_control.h"

namespace quorvel {

namespace {
int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}
}  // namespace

GameWindow::GameWindow(DialogService& dialogs, FileLocations& locations, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      locations_(locations),
      controller_(dialogs),
      renderer_(windowFont(screenDpi())),
      speaker_(makeSilentSpeaker()),
      moves_(controller_),
      announcer_(controller_, *speaker_),
      files_(controller_, locations),
      formats_(controller_, files_),
      history_(controller_) {
    setWindowTitle(programTitle());
    setWindowIcon(art::applicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    const QFont font = windowFont(screenDpi());
    setFont(font);
    controller_.setRecoveryPath(locations_.recoveryPath().toStdString());
    controller_.setTotalMemory(totalPhysicalMemory());

    auto* client = new QWidget(this);
    client->setFont(font);
    setCentralWidget(client);
    layout_.build(client, DialogUnits(font));
    view_ = new BoardView(client);
    view_->move(0, 0);
    view_->lower();
    layout_.history->raise();
    // The window grows from the size the layout is made for.
    client->installEventFilter(this);

    menu_ = std::make_unique<MainMenu>(menuBar(), [this](int id) { runCommand(id); });
    engineMenu_ = std::make_unique<EngineMenu>(menuBar(), QStringLiteral("&Options"),
                                               [this](int id) { runCommand(id); });
    mouse_ = std::make_unique<MouseInput>(controller_, moves_, [this](int id) { runCommand(id); });
    levels_ = std::make_unique<LevelCommands>(controller_, dialogs_, locations_.levelResultsPath().toStdString(),
                                              [this](int id) { runCommand(id); });
    keyboard_ = std::make_unique<KeyboardPlay>(controller_, moves_, announcer_, *view_, *layout_.moveField);
    connectControls();
    connectCoach();
    controller_.setInformationDialog(
        [this](const std::string& current, const std::string& initial, ExplorerPath& fields) {
            return InformationDialog::ask(current, initial, this, &fields);
        });
    // The board first: a move can be typed at once, and the arrows explore it.
    setTabOrder(view_, layout_.moveField);
    view_->setFocus(Qt::OtherFocusReason);
    resize(minimumSizeHint());
    repaintAll();
}

void GameWindow::setSpeaker(std::unique_ptr<Speaker> speaker) {
    speaker_ = std::move(speaker);
    announcer_.setSpeaker(*speaker_);
    connect(speaker_.get(), &Speaker::availabilityChanged, this, [this] {
        updateSpeechOption();
        setMenuChecks();
        // The voice just failed: the user learns why the moves go silent.
        if (announcer_.enabled()) {
            controller_.state().statusText = speaker_->unavailableReason();
            fillPanel();
        }
    });
    announcer_.setEnabled(announcer_.enabled());
    updateSpeechOption();
    setMenuChecks();
}

GameWindow::~GameWindow() {
    closing_ = true;
    coach_->shutdown();
    controller_.endSearch();
}

void GameWindow::connectControls() {
    connect(&controller_, &GameController::repaintNeeded, this, &GameWindow::repaintAll);
    connect(&controller_, &GameController::panelRefreshNeeded, this, &GameWindow::fillPanel);
    connect(view_, &BoardView::mouseMoved, this, [this](QPoint p) { mouse_->onMouseMove(p); });
    connect(view_, &BoardView::mouseLeft, this, [this] { mouse_->onMouseLeft(); });
    // The history arrows lie over toolbar zone 0: the pointer on them is on
    // the toolbar too.
    connect(layout_.history, &UpDownControl::pointerMoved, this,
            [this](QPoint p) { mouse_->onMouseMove(view_->geometry().toBase(p)); });
    connect(layout_.history, &UpDownControl::pointerLeft, this, [this] { mouse_->onMouseLeft(); });
    connect(view_, &BoardView::leftPressed, this, [this](QPoint p) { mouse_->onLeftButtonDown(p); });
    connect(view_, &BoardView::rightPressed, this, [this](QPoint) { mouse_->onRightButtonDown(); });
    connect(&controller_, &GameController::commandStatesChanged, this, &GameWindow::updateCommandStates);
    connect(&controller_.opponents(), &EngineOpponents::listChanged, this, [this] {
        engineMenu_->rebuild(controller_.opponents());
        if (levels_) levels_->showLadder(*menu_, false);
        appliedContext_.reset();
        updateCommandStates();
        setMenuChecks();
    });
    connect(&controller_, &GameController::movePlayed, this, [this] {
        keyboard_->movePlayed();
        announcer_.movePlayed();
    });
    connect(view_, &BoardView::focusStepped, this, [this](int dx, int dy) { keyboard_->stepFocus(dx, dy); });
    connect(view_, &BoardView::focusPressed, this, [this] { keyboard_->pressFocus(); });
    connect(view_, &BoardView::escapePressed, this, [this] { keyboard_->dropSelection(); });
    connect(view_, &BoardView::typingStarted, this,
            [this](const QString& text) { keyboard_->startTyping(text); });
    connect(layout_.moveField, &MoveField::submitted, this, [this] { runCommand(cmd::kPlayTypedMove); });
    connect(view_, &BoardView::wheelTurned, this, [this](int steps) { scrollList(steps); });
    connect(layout_.listScroll, &UpDownControl::stepped, this, [this](int d) { scrollList(d); });
    connect(layout_.history, &UpDownControl::stepped, this,
            [this](int d) { runCommand(d < 0 ? cmd::kHistoryBack : cmd::kHistoryForward); });
    // Only the picture is drawn again: the announcements and the panel
    // belong to a change of the game, not of the screen.
    connect(
        view_, &BoardView::scaleChanged, this,
        [this] {
            drawPicture();
            layout_.drawLogo(view_->devicePixelRatioF());
        },
        Qt::QueuedConnection);
    for (const auto& [button, id] : buttonCommands()) {
        const int command = id;
        connect(button, &QPushButton::clicked, this, [this, command] { runCommand(command); });
    }
    // Enter opens the About box. Escape asks to quit, as the close box does:
    // ending without the question would lose the session's settings. A
    // dialog open over the window takes its own Escape first.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* about = new QShortcut(QKeySequence(key), this);
        connect(about, &QShortcut::activated, this, [this] { runCommand(cmd::kAbout); });
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { runCommand(cmd::kQuit); });
}

void GameWindow::scrollList(int delta) {
    if (delta != 0) runCommand(delta > 0 ? cmd::kScrollListForward : cmd::kScrollListBack);
}

void GameWindow::readSettingsFile() {
    Settings settings;
    readSettings(locations_.folders().config.toStdString(), settings);
    applySettings(settings, controller_);
    files_.setGameFileName(settings.gameFileName);
    // Between runs the dialogs open where the current game file lies.
    locations_.rememberChosen(QString::fromStdString(settings.gameFileName));
    preferences_ = readPreferences(locations_.preferencesPath().toStdString()).value_or(Preferences{});
    applyPreferences();
    repaintAll();
}

void GameWindow::drawPicture() {
    QImage picture = renderer_.render(controller_.state(), controller_.display(), view_->scale());
    if (coach_) coach_->drawHint(picture);
    view_->setPicture(std::move(picture), mouse_ ? mouse_->hoverZone() : 0);
}

void GameWindow::repaintAll() {
    if (!view_) return;
    drawPicture();
    controller_.announce();
    if (levels_) levels_->countFinishedGame();
    fillPanel();
    reportDroppedMoves();
    setMenuChecks();
    updateCommandStates();
    keyboard_->refresh();
    refreshCoachCommands();
    controller_.status().markPainted();
}

void GameWindow::reportDroppedMoves() {
    // With the extra displays on, moves lost past a node's hundred children
    // are reported once.
    SearchStatus& status = controller_.status();
    if (!controller_.engineOptions().extraDisplays || status.largestDropped == 0) return;
    const int dropped = status.largestDropped.exchange(0);
    dialogs_.message(siteErrorCaption(), QString::number(dropped), BoxIcon::none);
}

void GameWindow::setMenuChecks() {
    if (!menu_) return;
    const PlayState& play = controller_.state();
    const DisplayOptions& d = controller_.display();
    const bool pib = play.record.playerIsBlack;
    menu_->setChecked(cmd::kAlgebraic, d.algebraic);
    menu_->setChecked(cmd::kCoordinateNotation, !d.algebraic);
    menu_->setChecked(cmd::kTurnBoard, d.boardTurned);
    menu_->setChecked(cmd::kShadedPieces, d.shadedPieces);
    menu_->setChecked(cmd::kBoardCoordinates, d.showCoordinates);
    menu_->setChecked(cmd::kSideWhite, !pib);
    menu_->setChecked(cmd::kSideBlack, pib);
    menu_->setChecked(cmd::kModeComputerComputer, play.computerVsComputer);
    menu_->setChecked(cmd::kModeComputerHuman, !play.computerVsComputer && !play.humanVsHuman);
    menu_->setChecked(cmd::kModeHumanHuman, play.humanVsHuman);
    menu_->setChecked(cmd::kPossibleMoves, d.showPossibleMoves);
    menu_->setChecked(cmd::kBoxAtEveryCheck, d.boxAtEveryCheck);
    menu_->setChecked(cmd::kShowThinking, controller_.showThinking());
    if (engineMenu_) engineMenu_->setChecks(controller_.opponents());
    menu_->setChecked(cmd::kAnnounceMoves, announcer_.speaking());
    menu_->setChecked(cmd::kPieceSet1, d.pieceSet == 0);
    menu_->setChecked(cmd::kPieceSet2, d.pieceSet == 20);
    menu_->setChecked(cmd::kPieceSet3, d.pieceSet == 40);
    static constexpr int kPresetMain[] = {4, 9, 15, 25, 40, 50, 200, 240};
    for (int i = 0; i < 8; ++i)
        menu_->setChecked(cmd::kTimePresetFirst + i, controller_.limits().mainTimeLimit == kPresetMain[i]);
    if (levels_) levels_->setChecks(*menu_);
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) fitToClient();
    return QMainWindow::eventFilter(watched, event);
}

void GameWindow::fitToClient() {
    if (!view_) return;
    const QSize growth = (centralWidget()->size() - layout_.baseClientSize()).expandedTo(QSize(0, 0));
    const qreal before = view_->scale();
    view_->resize(board::ViewGeometry::kBaseViewSize + growth);
    layout_.stretch(growth, view_->geometry().toolbarShift());
    // A board of another size is drawn again at its size, not stretched.
    if (!qFuzzyCompare(before, view_->scale())) drawPicture();
}

QRectF GameWindow::squareOnScreen(board::Square stored) const {
    return view_->geometry().squareRect(stored, controller_.state().record.playerIsBlack,
                                        controller_.display().boardTurned);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    // The title bar's close box runs the quit sequence, with its question:
    // a window the user can't close gets killed, losing the settings. The
    // sequence closes the window itself, once this event is done with.
    event->ignore();
    QMetaObject::invokeMethod(
        this, [this] { runCommand(cmd::kQuit); }, Qt::QueuedConnection);
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
    QMainWindow::keyPressEvent(event);
}

void GameWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) scrollList(delta < 0 ? +1 : -1);
}

void GameWindow::closeNow() {
    closing_ = true;
    coach_->shutdown();
    controller_.endSearch();
    controller_.timers().stop();
    if (help_) help_->close();
    close();
    Q_EMIT closedForGood();
}

}  // namespace quorvel
