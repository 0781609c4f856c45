#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

class FuelUsagePageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Fuel Usage");
    }

    widgets::ComboBox* engines() const { return window->findChild<widgets::ComboBox*>("cmbFuelEngine"); }
    QString result() const { return window->findChild<QLabel*>("pnlResultFuel")->text(); }
};

TEST_F(FuelUsagePageTest, ShowsItsDesignCaptionUntilAnInputChanges) {
    EXPECT_EQ(result(), "Fuel usage will be              Mg");
    EXPECT_EQ(engines()->currentText(), "Select an engine");
}

TEST_F(FuelUsagePageTest, EveryInputRecalculates) {
    chooseFromList(engines(), "Quick Jump 5");
    EXPECT_EQ(result(), "Fuel usage will be 41 Mg");
    window->findChild<QCheckBox*>("chkIFE")->click();
    EXPECT_EQ(result(), "Fuel usage will be 35 Mg");
    window->findChild<QCheckBox*>("chkIFE")->click();
    type("speFuelDistance", "128");
    EXPECT_EQ(result(), "Fuel usage will be 52 Mg");
    type("speFuelMass", "100000");
    type("speFuelSpeed", "10");
    type("speFuelDistance", "2000");
    EXPECT_EQ(result(), "Fuel usage will be 10800020 Mg");
}

TEST_F(FuelUsagePageTest, WithoutAnEngineItAsksForOne) {
    type("speFuelMass", "20");
    EXPECT_EQ(result(), "Select an engine");
    chooseFromList(engines(), "Settler's Delight");
    type("speFuelSpeed", "2");
    EXPECT_EQ(result(), "Fuel usage will be 25 Mg");
    engines()->lineEdit()->selectAll();
    QTest::keyClicks(engines()->lineEdit(), "Settler");
    EXPECT_EQ(result(), "Select an engine");
}

TEST_F(FuelUsagePageTest, ASpeedOffTheTableShowsANoticeUntilTheBoxClampsIt) {
    chooseFromList(engines(), "Quick Jump 5");
    type("speFuelSpeed", "11");
    EXPECT_EQ(result(), "Select a speed from 2 to 10");
    type("speFuelSpeed", "1");
    EXPECT_EQ(result(), "Select a speed from 2 to 10");
    box("speFuelMass")->setFocus(); // leaving the box clamps 1 to 2
    EXPECT_EQ(box("speFuelSpeed")->text(), "2");
    EXPECT_EQ(result(), "Fuel usage will be 25 Mg");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(FuelUsagePageTest, ASpeedOfZeroIsReportedAndKeepsThePreviousText) {
    chooseFromList(engines(), "Quick Jump 5");
    type("speFuelSpeed", "0");
    EXPECT_EQ(dialogs.errors, QStringList{"Division by zero"});
    EXPECT_EQ(result(), "Fuel usage will be 41 Mg");
}

TEST_F(FuelUsagePageTest, AnEmptyMassBoxReadsAsTenKilotons) {
    chooseFromList(engines(), "Quick Jump 5");
    type("speFuelMass", "500");
    EXPECT_NE(result(), "Fuel usage will be 41 Mg");
    type("speFuelMass", "");
    EXPECT_EQ(result(), "Fuel usage will be 41 Mg");
}

TEST_F(FuelUsagePageTest, AnAppendedEngineUsesTheSixteenthRowAndADuplicateHasNoFigures) {
    // What unlocking "mega poly shell" does to the list; a second unlock appends it again.
    engines()->addItem(QStringLiteral("mega poly shell"));
    chooseFromList(engines(), "mega poly shell");
    EXPECT_EQ(result(), "Fuel usage will be 5 Mg");
    engines()->addItem(QStringLiteral("mega poly shell"));
    engines()->chooseItem(16);
    EXPECT_EQ(result(), "No fuel figures for this engine");
}

} // namespace
} // namespace kc::test
