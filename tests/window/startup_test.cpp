// Start-up and the window's keys, and the dialogs the window opens.

#include "window/startup.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>

#include "features/engine_options_dialog.h"
#include "features/time_limits_dialog.h"
#include "window/command_ids.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using Startup = WindowTest;

// Runs `act` on the next modal dialog as soon as it is shown.
template <class Dialog, class Act>
void onNextModal(Act act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog) act(*dialog);
    });
}

TEST_F(Startup, AMissingBookIsSaidOnceAndTheGameGoesOn) {
    inCurrentFolder(folder->path(), [this] { loadOpeningBook(*window); });
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Impossible de trouver le fichier 'ouvertures.txt'");
    EXPECT_EQ(dialogs.boxes[0].caption, "Erreur Quorvel 1.0");
    EXPECT_EQ(dialogs.boxes[0].icon, BoxIcon::exclamation);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_FALSE(controller().status().bookPlay);
}

// One Escape too many must not end the session without its settings: the
// close box and Escape both ask, and "Oui" writes quorvel.ini.
TEST_F(Startup, TheCloseBoxAndEscapeAskBeforeQuittingAndKeepTheSettings) {
    const QString question = QString::fromUtf8("Êtes-vous sûr de vouloir quitter Quorvel ?");
    struct Entry {
        const char* name;
        std::function<void()> press;
    };
    const Entry entries[] = {
        {"close box",
         [this] {
             window->close();
             QApplication::processEvents();
         }},
        {"Escape",
         [this] {
             window->activateWindow();
             QTest::keyClick(window.get(), Qt::Key_Escape);
         }},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.name);
        dialogs.boxes.clear();
        dialogs.answers.push_back(BoxAnswer::no);
        entry.press();
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.lastText(), question);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(QFile::exists(configFile("quorvel.ini")));
    }
    window->runCommand(cmd::kPieceSet2);
    dialogs.answers.push_back(BoxAnswer::yes);
    entries[1].press();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(QFile::exists(configFile("quorvel.ini")));
    GameWindow next(dialogs, *locations);
    next.readSettingsFile();
    EXPECT_EQ(next.controller().display().pieceSet, 20);
}

// In a dialog, Escape closes the dialog and nothing else.
TEST_F(Startup, EscapeInADialogClosesOnlyTheDialog) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        shown = dialog != nullptr;
        if (dialog) QTest::keyClick(dialog, Qt::Key_Escape);
    });
    window->runCommand(cmd::kAbout);
    EXPECT_TRUE(shown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dialogs.boxes.empty());  // no question to quit
}

TEST_F(Startup, EnterOpensTheAboutBox) {
    QString caption;
    onNextModal<QDialog>([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        dialog.reject();
    });
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_EQ(caption, "A propos de Quorvel");
}

TEST_F(Startup, TheTimeDialogKeepsRefusedValuesOut) {
    onNextModal<TimeLimitsDialog>([this](TimeLimitsDialog& dialog) {
        dialog.setMainText("301");
        EXPECT_FALSE(dialog.pressOk());
        EXPECT_EQ(dialogs.lastText(), "Tapez un nombre entier compris entre 1 et 300.");
        dialog.setMainText("12");
        dialog.setSecondaryText("7");
        EXPECT_TRUE(dialog.pressOk());
    });
    window->runCommand(cmd::kTimeDefine);
    EXPECT_EQ(controller().limits().mainTimeLimit, 12);
    EXPECT_EQ(controller().limits().secondaryTimeLimit, 7);
    // No preset holds 12 seconds: none is checked.
    for (int id = cmd::kTimePresetFirst; id <= cmd::kTimePresetLast; ++id)
        EXPECT_FALSE(window->menu().action(id)->isChecked());
}

TEST_F(Startup, EngineOptionsReachTheEngineAndWaitForTheSearch) {
    onNextModal<EngineOptionsDialog>([](EngineOptionsDialog& dialog) {
        dialog.setNumberText(EngineOptionsDialog::Number::maxDepthMain, "4");
        EXPECT_TRUE(dialog.pressOk());
    });
    window->runCommand(cmd::kEngineOptions);
    EXPECT_EQ(controller().engineOptions().maxDepthMain, 4);

    bool opened = false;
    onNextModal<QDialog>([&](QDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    controller().status().searchIdle = false;
    window->runCommand(cmd::kEngineOptions);
    controller().status().searchIdle = true;
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}

// The standard dialogs come from Qt: its own French texts must be loaded,
// or they say "Cancel" in a French program.
TEST(QtFrench, TheStandardDialogsButtonsReadAnnuler) {
    QTranslator translator;
    ASSERT_TRUE(installQtFrench(translator));
    QColorDialog colours;
    QStringList buttons;
    for (const QPushButton* button : colours.findChildren<QPushButton*>()) buttons << button->text();
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Annuler")) || buttons.contains(QStringLiteral("Annuler")))
        << buttons.join(QStringLiteral(", ")).toStdString();
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
}

}  // namespace
}  // namespace quorvel::testing
