// The information dialog's buttons: what it hands back to the engine and
// what "<" shows.

#include "features/information_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

namespace quorvel {
namespace {

const std::string kFull = "Mouvements possibles (1er niveau) :\r\ne2-e4 (0.25),  \r\n";
const std::string kFound = "Noeud examiné : e2-e4\r\n";

TEST(InformationDialog, ShowsTheCurrentTextWithPlainLineEnds) {
    InformationDialog dialog(kFound, kFull);
    EXPECT_EQ(dialog.shownText(), QString::fromUtf8("Noeud examiné : e2-e4\n"));
}

TEST(InformationDialog, SearchHandsBackTheEightFieldsWithEmptyOnesBetween) {
    InformationDialog dialog(kFull, kFull);
    dialog.setField(0, "e2-e4");
    dialog.setField(2, "g1");
    dialog.setField(7, "o-o");
    dialog.pressSearch();
    ASSERT_TRUE(dialog.path().has_value());
    const ExplorerPath expected = {"e2-e4", "", "g1", "", "", "", "", "o-o"};
    EXPECT_EQ(*dialog.path(), expected);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(InformationDialog, SearchWithFieldOneEmptyEndsLikeExit) {
    InformationDialog dialog(kFull, kFull);
    dialog.setField(1, "e7-e5");
    dialog.pressSearch();
    EXPECT_FALSE(dialog.path().has_value());
}

TEST(InformationDialog, FieldsKeepSevenAsciiCharacters) {
    InformationDialog dialog(kFull, kFull);
    dialog.setField(0, QString::fromUtf8("e2-e4++xyz"));
    dialog.setField(1, QString::fromUtf8("é"));
    dialog.pressSearch();
    ASSERT_TRUE(dialog.path().has_value());
    EXPECT_EQ((*dialog.path())[0], "e2-e4++");
    EXPECT_EQ((*dialog.path())[1], "?");
}

TEST(InformationDialog, BackShowsTheFullReportAgainWithoutClosing) {
    InformationDialog dialog("", kFull);  // a path that matched nothing
    EXPECT_TRUE(dialog.shownText().isEmpty());
    dialog.pressBack();
    EXPECT_TRUE(dialog.shownText().startsWith("Mouvements possibles"));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.path().has_value());
}

TEST(InformationDialog, ExitAndTheModalRunGiveNothing) {
    // Driven through the modal entry point, as the window calls it.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<InformationDialog*>(w)) dialog->pressExit();
    });
    EXPECT_FALSE(InformationDialog::ask(kFull, kFull).has_value());
}

TEST(InformationDialog, TheFieldsComeBackForTheNextShowing) {
    ExplorerPath fields = {"e2-e4", "", "g1", "", "", "", "", ""};
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<InformationDialog*>(w)) {
                EXPECT_EQ(dialog->field(0), "e2-e4");
                EXPECT_EQ(dialog->field(2), "g1");
                dialog->setField(1, "e7");
                dialog->pressSearch();
            }
        }
    });
    const auto path = InformationDialog::ask(kFull, kFull, nullptr, &fields);
    ASSERT_TRUE(path.has_value());
    const ExplorerPath expected = {"e2-e4", "e7", "g1", "", "", "", "", ""};
    EXPECT_EQ(*path, expected);
    EXPECT_EQ(fields, expected);
}

}  // namespace
}  // namespace quorvel
