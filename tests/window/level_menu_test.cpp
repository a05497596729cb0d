// The "Niveau" menu: the level ticked as it is chosen or left by hand, kept
// between runs; the player's results counted once per finished game against
// the computer at a level, the damaged file started afresh, the suggestion
// after three wins or losses in a row, and "Mes résultats...".

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <cmath>
#include <functional>

#include "engine/levels.h"
#include "window/command_ids.h"
#include "window/level_commands.h"
#include "window/main_menu.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class LevelMenu : public WindowTest {
protected:
    int ticked() {
        int found = -1;
        for (int level = 1; level <= kLevelCount; ++level) {
            if (window->menu().action(cmd::kLevelFirst + level - 1)->isChecked()) found = level;
        }
        if (window->menu().action(cmd::kLevelCustom)->isChecked()) found = found == -1 ? kCustomLevel : -2;
        return found;
    }
    QString results() const {
        QFile file(dataFile(kLevelResultsFileName));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeResults(const char* text) {
        QFile file(dataFile(kLevelResultsFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    // The human (White) mates a lone king in two; the computer's one reply
    // is forced.
    void winAgainstTheComputer() {
        setFen("7k/8/8/8/8/8/1R6/R3K3 w - - 0 1");
        playChess("a1", "a7");
        ASSERT_EQ(record().plyCount, 2);
        playChess("b2", "b8");
        ASSERT_EQ(controller().resultText(), "Les Blancs gagnent!");
    }
    // The computer mates the human (White) on the back rank.
    void loseAgainstTheComputer() {
        setFen("1r4k1/5ppp/8/8/8/3P4/6PP/7K w - - 0 1");
        playChess("d3", "d4");
        ASSERT_EQ(controller().resultText(), "Les Noirs gagnent!");
    }
};

TEST_F(LevelMenu, ListsTheLevelsWithTheirStrength) {
    for (int level = 1; level <= kLevelCount; ++level) {
        const QAction* action = window->menu().action(cmd::kLevelFirst + level - 1);
        ASSERT_TRUE(action) << level;
        EXPECT_EQ(action->text(),
                  QStringLiteral("Niveau %1 (≈ %2 Elo)").arg(level).arg(levelPreset(level).elo));
    }
    EXPECT_EQ(window->menu().action(cmd::kLevelCustom)->text(), "Personnalisé...");
    EXPECT_EQ(window->menu().action(cmd::kLevelResults)->text(), "Mes résultats...");
}

TEST_F(LevelMenu, TheTickFollowsChoicesAndHandChanges) {
    struct Step {
        const char* name;
        int command;
        int ticked;
    };
    const Step steps[] = {
        {"level 3 chosen", cmd::kLevelFirst + 2, 3},
        // Its own times (4 and 4 seconds) chosen again: still level 3.
        {"the same times", cmd::kTimePresetFirst, 3},
        {"other times by hand", cmd::kTimePresetFirst + 1, kCustomLevel},
        {"level 8 chosen", cmd::kLevelFirst + 7, 8},
        {"a display option", cmd::kTurnBoard, 8},
        {"other times again", cmd::kTimePresetFirst + 3, kCustomLevel},
        {"level 1 chosen", cmd::kLevelFirst, 1},
    };
    for (const Step& s : steps) {
        window->runCommand(s.command);
        EXPECT_EQ(ticked(), s.ticked) << s.name;
        EXPECT_EQ(window->levels().level(), s.ticked) << s.name;
    }
    // A level sets the options and times, and its way of choosing.
    EXPECT_TRUE(matchesLevel(1, controller().engineOptions(), controller().limits()));
    EXPECT_EQ(controller().rootChoice().margin, levelPreset(1).choiceMargin);
    window->runCommand(cmd::kTimePresetFirst + 1);
    EXPECT_EQ(controller().rootChoice().margin, 0);
}

TEST_F(LevelMenu, TheLevelIsKeptBetweenRuns) {
    window->runCommand(cmd::kLevelFirst + 1);
    window->storePreferences();
    EXPECT_EQ(window->preferences().text("level"), "2");
    struct Case {
        const char* name;
        const char* kept;  // nullptr: no key
        int applied;       // the level whose options the settings file gave
        int expected;
    };
    const Case cases[] = {
        {"kept and matching", "2", 2, 2},
        {"kept but options changed in the settings", "2", 7, kCustomLevel},
        {"Personnalisé kept", "0", 8, kCustomLevel},
        {"no key: the defaults are level 8", nullptr, 8, 8},
        {"no key, a level's options", nullptr, 7, 7},
        {"damaged value", "douze", 5, kCustomLevel},
    };
    for (const Case& c : cases) {
        applyLevel(c.applied, controller().engineOptions(), controller().limits());
        if (c.kept) {
            window->preferences().set("level", c.kept);
        } else {
            window->preferences().remove("level");
        }
        window->applyPreferences();
        controller().repaint();
        EXPECT_EQ(window->levels().level(), c.expected) << c.name;
        EXPECT_EQ(ticked(), c.expected) << c.name;
    }
}

TEST_F(LevelMenu, AGameIsCountedOnceAtItsLevel) {
    window->runCommand(cmd::kLevelFirst);
    winAgainstTheComputer();
    EXPECT_EQ(results(), "quorvel-results 1\n1 1 0 0 1\n");
    // Repaints, a take-back and the mate played again: still one game.
    controller().repaint();
    window->runCommand(cmd::kTakeBack);
    playChess("b2", "b8");
    controller().repaint();
    EXPECT_EQ(results(), "quorvel-results 1\n1 1 0 0 1\n");
    // The next game, lost at level 3.
    window->runCommand(cmd::kNewGame);
    window->runCommand(cmd::kLevelFirst + 2);
    loseAgainstTheComputer();
    EXPECT_EQ(results(), "quorvel-results 1\n1 1 0 0 1\n3 0 0 1 -1\n");
}

TEST_F(LevelMenu, GamesNotPlayedAtOneLevelAreNotCounted) {
    struct Case {
        const char* name;
        std::function<void()> before;
    };
    const Case cases[] = {
        {"Personnalisé", [this] { window->runCommand(cmd::kTimePresetFirst + 2); }},
        // A game loaded, recovered, imported or pasted.
        {"another game taken over",
         [this] {
             window->runCommand(cmd::kLevelFirst);
             controller().gameReplaced();
         }},
        // The computer's moves of one game at two levels.
        {"level changed during the game",
         [this] {
             window->runCommand(cmd::kLevelFirst);
             setFen("7k/8/8/8/8/8/8/R3K2R w - - 0 1");
             playChess("a1", "a2");
             window->runCommand(cmd::kLevelFirst + 1);
         }},
    };
    for (const Case& c : cases) {
        window->runCommand(cmd::kNewGame);
        c.before();
        if (!controller().gameOver()) winAgainstTheComputer();
        EXPECT_TRUE(results().isEmpty()) << c.name;
        QFile::remove(dataFile(kLevelResultsFileName));
    }
}

TEST_F(LevelMenu, ADamagedFileStartsAfreshWithAMessage) {
    writeResults("quorvel-results 1\n1 2 x\n");
    window->runCommand(cmd::kLevelFirst);
    const auto before = dialogs.boxes.size();
    winAgainstTheComputer();
    EXPECT_EQ(results(), "quorvel-results 1\n1 1 0 0 1\n");
    bool said = false;
    for (auto i = before; i < dialogs.boxes.size(); ++i)
        said = said || dialogs.boxes[i].text.contains("endommagé");
    EXPECT_TRUE(said);
    QFile kept(dataFile("resultats.txt.endommage"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "quorvel-results 1\n1 2 x\n");
}

TEST_F(LevelMenu, ThreeInARowSuggestAnotherLevelWithoutChangingIt) {
    writeResults("quorvel-results 1\n1 2 0 0 2\n3 0 0 2 -2\n");
    window->runCommand(cmd::kLevelFirst);
    winAgainstTheComputer();
    EXPECT_TRUE(shownStatus().contains("Trois victoires de suite : essayez le niveau 2 !"))
        << shownStatus().toStdString();
    EXPECT_EQ(window->levels().level(), 1);
    window->runCommand(cmd::kNewGame);
    window->runCommand(cmd::kLevelFirst + 2);
    loseAgainstTheComputer();
    EXPECT_TRUE(shownStatus().contains("Trois défaites de suite : essayez le niveau 2 !"))
        << shownStatus().toStdString();
    EXPECT_EQ(window->levels().level(), 3);
}

TEST_F(LevelMenu, MyResultsShowsTheTableAndTheRating) {
    window->runCommand(cmd::kLevelResults);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().caption, "Mes résultats");
    EXPECT_TRUE(dialogs.boxes.back().text.contains("Aucune partie"));
    writeResults("quorvel-results 1\n2 2 1 1 -1\n");
    window->runCommand(cmd::kLevelResults);
    const QString text = dialogs.boxes.back().text;
    EXPECT_TRUE(text.contains(QStringLiteral("Niveau 2 (≈ %1 Elo)").arg(levelPreset(2).elo)))
        << text.toStdString();
    EXPECT_TRUE(text.contains("estimation provisoire, 4 parties")) << text.toStdString();
    // 2.5 points out of 4: the level's rating plus 400 log10(5/3), about 89.
    const int rating = static_cast<int>(std::lround((levelPreset(2).elo + 88.7) / 10) * 10);
    EXPECT_TRUE(text.contains(QStringLiteral("≈ %1 Elo</b>").arg(rating))) << text.toStdString();
}

}  // namespace
}  // namespace quorvel::testing
