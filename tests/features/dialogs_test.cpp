// The promotion chooser, the clock text and the two settings dialogs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "features/clock_text.h"
#include "features/coach_settings_dialog.h"
#include "features/engine_options_dialog.h"
#include "features/fake_dialog_service.h"
#include "features/promotion_dialog.h"
#include "features/qt_dialog_service.h"
#include "features/time_limits_dialog.h"

namespace quorvel {
namespace {

TEST(PromotionChooser, VisibleColumnsChooseQueenRookKnightBishop) {
    EXPECT_EQ(PromotionDialog::codeAt({61, 10}), 12);
    EXPECT_EQ(PromotionDialog::codeAt({89, 40}), 12);
    EXPECT_EQ(PromotionDialog::codeAt({90, 25}), 13);
    EXPECT_EQ(PromotionDialog::codeAt({100, 20}), 13);
    EXPECT_EQ(PromotionDialog::codeAt({139, 20}), 13);
    EXPECT_EQ(PromotionDialog::codeAt({140, 20}), 14);
    EXPECT_EQ(PromotionDialog::codeAt({189, 20}), 14);
    EXPECT_EQ(PromotionDialog::codeAt({190, 20}), 15);
    EXPECT_EQ(PromotionDialog::codeAt({209, 20}), 15);
}

TEST(PromotionChooser, ClicksOutsideTheBandChooseNothing) {
    EXPECT_EQ(PromotionDialog::codeAt({30, 20}), std::nullopt);
    EXPECT_EQ(PromotionDialog::codeAt({60, 20}), std::nullopt);
    EXPECT_EQ(PromotionDialog::codeAt({210, 20}), std::nullopt);
    EXPECT_EQ(PromotionDialog::codeAt({100, 9}), std::nullopt);
    EXPECT_EQ(PromotionDialog::codeAt({100, 41}), std::nullopt);
}

TEST(PromotionChooser, ClosingWithoutAChoiceGivesTheQueen) {
    PromotionDialog dialog(0, true);
    dialog.reject();
    EXPECT_EQ(dialog.chosenCode(), 12);
}

// Presses the button labelled `text` of the message box about to open.
void pressBoxButton(const QString& text) {
    QTimer::singleShot(0, [text] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w))
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == text) button->click();
    });
}

TEST(QtDialogService, YesNoBoxesAnswerWithTheirFrenchButtons) {
    QtDialogService dialogs;
    pressBoxButton("Non");
    EXPECT_EQ(dialogs.message("Quorvel 1.0", "Nouvelle partie ?", BoxIcon::question, BoxButtons::yesNo),
              BoxAnswer::no);
    pressBoxButton("Oui");
    EXPECT_EQ(dialogs.message("Quorvel 1.0", "Nouvelle partie ?", BoxIcon::question, BoxButtons::yesNo),
              BoxAnswer::yes);
    pressBoxButton("OK");
    EXPECT_EQ(dialogs.message("Erreur Quorvel 1.0", "Fichier introuvable", BoxIcon::exclamation),
              BoxAnswer::ok);
}

TEST(ClockText, HoursMinutesSecondsWithoutWrapping) {
    EXPECT_EQ(formatClock(0), "00:00:00");
    EXPECT_EQ(formatClock(3599), "00:59:59");
    EXPECT_EQ(formatClock(3725), "01:02:05");
    EXPECT_EQ(formatClock(360000), "100:00:00");
}

TEST(TimeLimitsDialog, RefusesOutOfRangeAndNonIntegerValuesAndStaysOpen) {
    FakeDialogService boxes;
    TimeLimitsDialog dialog(TimeLimits{9, 8}, boxes);
    for (const char* refused : {"0", "301"}) {
        dialog.setMainText(QString::fromLatin1(refused));
        EXPECT_FALSE(dialog.pressOk()) << refused;
        EXPECT_EQ(boxes.lastText(), "Tapez un nombre entier compris entre 1 et 300.");
    }
    dialog.setMainText("12");
    dialog.setSecondaryText("dix");
    EXPECT_FALSE(dialog.pressOk());
    EXPECT_EQ(boxes.lastText(), "Tapez un nombre entier.");
    EXPECT_EQ(dialog.result(), 0);
    // Nothing changes until both fields are valid.
    EXPECT_EQ(dialog.limits().mainTimeLimit, 9);
    EXPECT_EQ(dialog.limits().secondaryTimeLimit, 8);
}

TEST(TimeLimitsDialog, AcceptsTheBoundsAndReplacesBothLimits) {
    FakeDialogService boxes;
    TimeLimitsDialog dialog(TimeLimits{9, 8}, boxes);
    dialog.setMainText("300");
    dialog.setSecondaryText(" 1 ");
    EXPECT_TRUE(dialog.pressOk());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(dialog.limits().mainTimeLimit, 300);
    EXPECT_EQ(dialog.limits().secondaryTimeLimit, 1);
}

using Flag = EngineOptionsDialog::Flag;
using Number = EngineOptionsDialog::Number;

EngineOptions customOptions() {
    EngineOptions o;
    o.extraDisplays = true;
    o.alphaBetaTolerance = 50;
    o.maxDepthMain = 6;
    o.minSons = 4;
    o.maxDepthSecondary = 2;
    o.horizonReduction = false;
    o.alphaBetaSorting = false;
    o.spareEngineFlag = true;
    return o;
}

TEST(EngineOptionsDialog, OkWithoutChangesKeepsEverySetting) {
    FakeDialogService boxes;
    EngineOptionsDialog dialog(customOptions(), boxes);
    EXPECT_TRUE(dialog.isChecked(Flag::extraDisplays));
    EXPECT_EQ(dialog.numberText(Number::minSons), "4");
    EXPECT_TRUE(dialog.pressOk());
    EXPECT_EQ(dialog.model(), customOptions());
}

// Both options dialogs end with "OK", "Par défaut", "Annuler", and Enter
// presses OK.
TEST(OptionsDialogs, EnterPressesOk) {
    FakeDialogService boxes;
    EngineOptionsDialog engine(customOptions(), boxes);
    CoachSettingsDialog coach(CoachSettings{}, {{kOwnAnalyst, "Quorvel"}});
    for (QDialog* dialog : {static_cast<QDialog*>(&engine), static_cast<QDialog*>(&coach)}) {
        SCOPED_TRACE(dialog->metaObject()->className());
        QStringList texts;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) texts << button->text();
        EXPECT_EQ(texts, QStringList({"OK", QString::fromUtf8("Par défaut"), "Annuler"}));
        dialog->show();
        QTest::keyClick(dialog, Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST(EngineOptionsDialog, OkTakesTypedValuesAndRefusesDepthEleven) {
    FakeDialogService boxes;
    EngineOptionsDialog dialog(EngineOptions{}, boxes);
    dialog.setNumberText(Number::alphaBetaTolerance, "25");
    dialog.setNumberText(Number::maxDepthMain, "11");
    EXPECT_FALSE(dialog.pressOk());
    EXPECT_EQ(boxes.lastText(), "Tapez un nombre entier compris entre 1 et 10.");
    EXPECT_EQ(dialog.result(), 0);
    // The values read before the refused one are taken in anyway.
    EXPECT_EQ(dialog.model().alphaBetaTolerance, 25);
    EXPECT_EQ(dialog.model().maxDepthMain, 10);

    dialog.setNumberText(Number::maxDepthMain, "7");
    dialog.setNumberText(Number::maxDepthSecondary, "0");
    EXPECT_TRUE(dialog.pressOk());
    EXPECT_EQ(dialog.model().maxDepthMain, 7);
    EXPECT_EQ(dialog.model().maxDepthSecondary, 0);
}

TEST(EngineOptionsDialog, DefaultsReachTheModelWhileTheControlsShowOldValues) {
    FakeDialogService boxes;
    EngineOptionsDialog dialog(customOptions(), boxes);
    EXPECT_TRUE(dialog.pressDefaults());
    EXPECT_EQ(dialog.model(), EngineOptions{});
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(EngineOptionsDialog, DefaultsWithARefusedFieldStayOpenAndShowTheDefaults) {
    FakeDialogService boxes;
    EngineOptionsDialog dialog(customOptions(), boxes);
    dialog.setNumberText(Number::minSons, "0");
    EXPECT_FALSE(dialog.pressDefaults());
    EXPECT_EQ(boxes.lastText(), "Tapez un nombre entier compris entre 1 et 100.");
    EXPECT_EQ(dialog.model(), EngineOptions{});
    EXPECT_EQ(dialog.numberText(Number::minSons), "1");
    EXPECT_EQ(dialog.numberText(Number::maxDepthMain), "10");
}

TEST(EngineOptionsDialog, CancelKeepsCheckBoxChangesAndNumbersTakenInByThem) {
    FakeDialogService boxes;
    EngineOptionsDialog dialog(EngineOptions{}, boxes);
    dialog.setNumberText(Number::minSons, "5");
    dialog.clickCheckBox(Flag::extraDisplays);
    EXPECT_TRUE(dialog.isChecked(Flag::extraDisplays));
    dialog.setNumberText(Number::maxDepthSecondary, "9");  // typed, never taken in
    dialog.pressCancel();
    EngineOptions expected;
    expected.extraDisplays = true;
    expected.minSons = 5;
    EXPECT_EQ(dialog.model(), expected);
}

TEST(EngineOptionsDialog, CheckBoxClickWithARefusedFieldShowsTheModelAgain) {
    FakeDialogService boxes;
    EngineOptionsDialog dialog(EngineOptions{}, boxes);
    dialog.setNumberText(Number::alphaBetaTolerance, "abc");
    dialog.clickCheckBox(Flag::horizonReduction);
    EXPECT_EQ(boxes.lastText(), "Tapez un nombre entier.");
    EXPECT_FALSE(dialog.model().horizonReduction);
    EXPECT_EQ(dialog.numberText(Number::alphaBetaTolerance), "0");
}

}  // namespace
}  // namespace quorvel
