#pragma once
// The main window: the menu, the board view with its toolbar, the panel of
// moves, clocks and search reports, and the commands of the menu and the
// buttons. It owns the game controller; every box goes through the
// DialogService it is given.

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "storage/preferences_file.h"
#include "window/board_renderer.h"
#include "window/coach.h"
#include "window/command_guard.h"
#include "window/file_commands.h"
#include "window/format_commands.h"
#include "window/game_controller.h"
#include "window/history_navigator.h"
#include "window/move_announcer.h"
#include "window/move_entry.h"
#include "window/window_layout.h"

namespace quorvel {

class BoardView;
class DialogService;
class EngineMenu;
class FileLocations;
class HelpWindow;
class LevelCommands;
class KeyboardPlay;
class MainMenu;
class MouseInput;
class Speaker;

class GameWindow : public QMainWindow {
    Q_OBJECT
public:
    // `locations` says where the settings, the recovery file, the clips
    // and the saved games lie; it outlives the window.
    GameWindow(DialogService& dialogs, FileLocations& locations, QWidget* parent = nullptr);
    ~GameWindow() override;

    GameController& controller() { return controller_; }
    BoardView& boardView() { return *view_; }
    const WindowLayout& layout() const { return layout_; }
    MainMenu& menu() { return *menu_; }
    // The menu "Adversaire" (window/engine_menu.h).
    EngineMenu& engineMenu() { return *engineMenu_; }
    MouseInput& mouse() { return *mouse_; }
    MoveEntry& moves() { return moves_; }
    KeyboardPlay& keyboard() { return *keyboard_; }
    MoveAnnouncer& announcer() { return announcer_; }
    // The voice of the announcements: silent until start-up gives the
    // system's, a fake one in tests.
    void setSpeaker(std::unique_ptr<Speaker> speaker);
    FileCommands& files() { return files_; }
    FormatCommands& formats() { return formats_; }
    HistoryNavigator& history() { return history_; }
    LevelCommands& levels() { return *levels_; }
    Coach& coach() { return *coach_; }
    FileLocations& locations() { return locations_; }
    // The options kept beside quorvel.ini, read with it at start-up and
    // written with it at quit.
    Preferences& preferences() { return preferences_; }

    // Makes the user's folders for the settings and the recovery file; one
    // that can't be made or written is said once and its file left out.
    void prepareUserFolders();
    // Reads the settings file and applies it (start-up, before the colours
    // are used).
    void readSettingsFile();
    // Reads the list of engines beside the settings (moteurs.ini) and adds
    // the engines found installed (start-up, after the settings).
    void loadEngineList();
    // Between the preferences and the window's options, both ways
    // (window/preferences_mapping.cpp).
    void applyPreferences();
    void storePreferences();
    // Runs a command by its id: the one entry of every menu item, button,
    // toolbar zone, spin control and key, through the command guard.
    void runCommand(int id);
    // Enables the menu's actions and the controls the guard allows now.
    void updateCommandStates();
    // The repaint: board picture, announcements, panel, menu check marks.
    void repaintAll();
    // Where the stored square lies on the board view at its current size, in
    // the view's coordinates: the one place to ask before drawing over a
    // square or pointing at it, whatever the window's size and the board's
    // orientation.
    QRectF squareOnScreen(board::Square stored) const;
    // The quit sequence, in every mode: confirmation, the search ended, the
    // settings written, the window closed. False when the user said No.
    bool quitWithConfirmation();

Q_SIGNALS:
    // The window closed for good (quit or Escape): the program ends.
    void closedForGood();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void connectControls();
    CommandContext commandContext() const;
    // The panel's buttons and the commands they run.
    using ButtonCommands = std::array<std::pair<QPushButton*, int>, 5>;
    ButtonCommands buttonCommands() const;
    // +1 towards later moves, -1 towards earlier ones.
    void scrollList(int delta);
    // The board picture alone, at the view's scale.
    void drawPicture();
    void fillPanel();
    void fillMoveList();
    void fillSearchFields();
    void setMenuChecks();
    void reportDroppedMoves();
    bool runDisplayCommand(int id);
    bool runGameCommand(int id);
    bool runDialogCommand(int id);
    // The menu "Adversaire" (window/engine_commands.cpp).
    bool runEngineCommand(int id);
    void addEngine();
    void manageEngines();
    // Asks the engine what it offers, then runs "Force du moteur..." on
    // `entry`; false when it does not answer or the player cancels.
    bool editEngineStrength(EngineEntry& entry);
    // The engine of another program that plays "Ordinateur / Humain", if any.
    QString otherEngineName() const;
    bool runKeyboardCommand(int id);
    // "Annoncer les coups" is offered only while a voice answers.
    void updateSpeechOption();
    void chooseColour(std::uint32_t& colour);
    void closeNow();
    // The board view and the controls follow the client's size.
    void fitToClient();
    // The coach's commands and menu items (window/coach_commands.cpp).
    void connectCoach();
    bool runCoachCommand(int id);
    void refreshCoachCommands();
    void showReviewedPosition(int ply);

    DialogService& dialogs_;
    FileLocations& locations_;
    bool settingsWritable_ = true;  // false: the settings folder can't hold the file
    Preferences preferences_;
    GameController controller_;
    BoardRenderer renderer_;
    WindowLayout layout_;
    BoardView* view_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
    std::unique_ptr<EngineMenu> engineMenu_;
    std::unique_ptr<Speaker> speaker_;
    MoveEntry moves_;
    MoveAnnouncer announcer_;
    std::unique_ptr<MouseInput> mouse_;
    std::unique_ptr<LevelCommands> levels_;
    std::unique_ptr<KeyboardPlay> keyboard_;
    FileCommands files_;
    FormatCommands formats_;
    HistoryNavigator history_;
    std::unique_ptr<Coach> coach_;  // after the controller and the history it uses
    HelpWindow* help_ = nullptr;
    bool closing_ = false;
    bool quitting_ = false;                         // the quit sequence is under way
    std::optional<CommandContext> appliedContext_;  // what the enabled commands were last set for
};

}  // namespace quorvel
