// The window as a screen reader sees it, through QAccessible: every control
// a user acts on has a name, the panel's fields give their texts, the board
// says which square has the focus and what stands there; and the menus can
// be walked with the keyboard, one mnemonic per letter in each.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>

#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/main_menu.h"
#include "window/move_field.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

void walk(QAccessibleInterface* iface, const std::function<void(QAccessibleInterface*)>& visit,
          int depth = 0) {
    if (!iface || depth > 30) return;
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i) walk(iface->child(i), visit, depth + 1);
}

// The roles of the elements a user acts on.
bool interactive(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::Slider:
        case QAccessible::MenuItem:
        case QAccessible::List:
        case QAccessible::ListItem:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::PageTab:
            return true;
        default:
            return false;
    }
}

// The letter after a single '&', lower case; 0 for none.
QChar mnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

class Accessibility : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QAccessibleInterface* boardInterface() {
        return QAccessible::queryAccessibleInterface(&window->boardView());
    }
};

TEST_F(Accessibility, EveryElementAUserActsOnHasAName) {
    int checked = 0;
    QStringList unnamed;
    walk(QAccessible::queryAccessibleInterface(window.get()), [&](QAccessibleInterface* iface) {
        if (!interactive(iface->role()) || iface->state().invisible) return;
        ++checked;
        if (iface->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = iface->object();
            unnamed << QStringLiteral("%1 (%2)")
                           .arg(object ? object->metaObject()->className() : "?")
                           .arg(iface->role());
        }
    });
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
    // The buttons, the move list, the clocks, the fields, the field "Coup :",
    // the board and its 64 squares, the menu bar's titles.
    EXPECT_GT(checked, 64 + 30);
}

TEST_F(Accessibility, ThePanelGivesItsTexts) {
    controller().setModeHumanHuman();
    playChess("e2", "e4");
    auto named = [&](const QString& name) {
        QAccessibleInterface* found = nullptr;
        walk(QAccessible::queryAccessibleInterface(window.get()), [&](QAccessibleInterface* iface) {
            if (!found && iface->text(QAccessible::Name) == name) found = iface;
        });
        return found;
    };
    QAccessibleInterface* status = named(QString::fromUtf8("Meilleure solution trouvée"));
    ASSERT_TRUE(status);
    ASSERT_TRUE(status->textInterface());
    EXPECT_EQ(status->textInterface()->text(0, status->textInterface()->characterCount()),
              "C'est aux Noirs de jouer");
    QAccessibleInterface* white = named(QStringLiteral("Horloge des Blancs"));
    ASSERT_TRUE(white);
    EXPECT_EQ(white->text(QAccessible::Value), window->layout().whiteClock->text());
    QAccessibleInterface* firstMove = named(QStringLiteral("Coup 1, Blancs"));
    ASSERT_TRUE(firstMove);
    EXPECT_EQ(firstMove->text(QAccessible::Value), ">e2-e4<");
    EXPECT_TRUE(named(QStringLiteral("Coup 1, Noirs")));
}

// The offscreen platform has no screen reader to send events to: what a
// reader asks, on a focus event or at any time, is tested.
TEST_F(Accessibility, TheBoardSaysItsFocusSquare) {
    window->boardView().setFocus();
    QAccessibleInterface* board = boardInterface();
    ASSERT_TRUE(board);
    EXPECT_EQ(board->role(), QAccessible::List);
    EXPECT_EQ(board->text(QAccessible::Name), QString::fromUtf8("Échiquier"));
    EXPECT_FALSE(board->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(board->childCount(), 64);
    ASSERT_TRUE(board->focusChild());
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), "e1, roi blanc");
    EXPECT_TRUE(board->focusChild()->state().focused);
    QTest::keyClick(&window->boardView(), Qt::Key_Up);
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), "e2, pion blanc");
    QTest::keyClick(&window->boardView(), Qt::Key_Up);
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), "e3, vide");
    EXPECT_EQ(board->indexOfChild(board->focusChild()), 8 * 5 + 4);
    EXPECT_EQ(
        board->childAt(board->focusChild()->rect().center().x(), board->focusChild()->rect().center().y()),
        board->focusChild());
    // The squares in the picture's order: a8 first unless the board is turned.
    EXPECT_EQ(board->child(0)->text(QAccessible::Name), "a8, tour noire");
    window->runCommand(cmd::kTurnBoard);
    EXPECT_EQ(board->child(0)->text(QAccessible::Name), "h1, tour blanche");
    EXPECT_EQ(board->focusChild()->text(QAccessible::Name), "e3, vide");
    // Another control has the focus: no square has it.
    window->layout().moveField->setFocus();
    EXPECT_EQ(board->focusChild(), nullptr);
}

TEST_F(Accessibility, EachMenuHasOneMnemonicPerLetter) {
    QStringList clashes;
    QStringList withoutKey;
    std::function<void(QMenu*)> check = [&](QMenu* menu) {
        std::map<QChar, QString> taken;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            const QChar letter = mnemonicOf(action->text());
            // Submenus are entered by their letter; items also by the arrows.
            if (letter.isNull() && action->menu()) withoutKey << action->text();
            if (!letter.isNull() && !taken.emplace(letter, action->text()).second)
                clashes << menu->title() + ": " + taken[letter] + " / " + action->text();
            if (action->menu()) check(action->menu());
        }
    };
    // The menu bar's titles and the window's buttons share the Alt keys.
    std::map<QChar, QString> window;
    for (QAction* title : this->window->menuBar()->actions()) {
        const QChar letter = mnemonicOf(title->text());
        if (letter.isNull()) withoutKey << title->text();
        if (!letter.isNull() && !window.emplace(letter, title->text()).second)
            clashes << "window: " + window[letter] + " / " + title->text();
        check(title->menu());
    }
    for (const QPushButton* button : this->window->findChildren<QPushButton*>()) {
        const QChar letter = mnemonicOf(button->text());
        if (!letter.isNull() && !window.emplace(letter, button->text()).second)
            clashes << "window: " + window[letter] + " / " + button->text();
    }
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("; ").toStdString();
    EXPECT_TRUE(withoutKey.isEmpty()) << withoutKey.join("; ").toStdString();
}


// Each feature's commands sit in the menu the README names: merged menus
// once put the coach's options under "Niveau".
TEST_F(Accessibility, CommandsSitInTheMenusTheReadmeNames) {
    std::function<bool(QMenu*, QAction*)> holds = [&](QMenu* menu, QAction* wanted) {
        for (QAction* action : menu->actions()) {
            if (action == wanted || (action->menu() && holds(action->menu(), wanted))) return true;
        }
        return false;
    };
    auto menuOf = [&](int id) -> QString {
        QAction* wanted = window->menu().action(id);
        for (QAction* title : window->menuBar()->actions()) {
            if (title->menu() && holds(title->menu(), wanted)) return title->text().remove('&');
        }
        return {};
    };
    const std::pair<int, const char*> placed[] = {
        {cmd::kSuggestMove, "Partie"},        {cmd::kReviewGame, "Partie"},
        {cmd::kFocusMoveField, "Partie"},     {cmd::kCoachWarnings, "Options"},
        {cmd::kCoachSettings, "Options"},     {cmd::kAnnounceMoves, "Options"},
        {cmd::kBoxAtEveryCheck, "Options"},   {cmd::kLevelFirst, "Niveau"},
        {cmd::kLevelCustom, "Niveau"},        {cmd::kLevelResults, "Niveau"},
    };
    for (const auto& [id, title] : placed) EXPECT_EQ(menuOf(id), QString::fromUtf8(title)) << id;
}

}  // namespace
}  // namespace quorvel::testing
