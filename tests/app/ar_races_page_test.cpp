#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

class ArRacesPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "AR races");
    }

    QString result(const char* name) const { return control<QLabel>(name)->text(); }
    QStringList results() const {
        return {result("lblARScanRange"), result("lblARpenScan"), result("lblARresources"),
                result("lblARMining")};
    }
};

TEST_F(ArRacesPageTest, ResultsStayEmptyUntilAnInputChanges) {
    EXPECT_EQ(results(), QStringList({"", "", "", ""}));
}

TEST_F(ArRacesPageTest, TypingThePopulationRecalculatesEveryResult) {
    type("speARpop", "250");
    EXPECT_EQ(results(), QStringList({"5", "0", "5", "2"}));
}

TEST_F(ArRacesPageTest, TheStarbaseChoiceAndTheCheckBoxRecalculate) {
    type("speARpop", "250");
    chooseFromList(window->findChild<QComboBox*>("cmbStarBase"), "Death Star");
    EXPECT_EQ(result("lblARpenScan"), "2");
    window->findChild<QCheckBox*>("chkNoAdvScanners")->click();
    EXPECT_EQ(result("lblARScanRange"), "10");
    EXPECT_EQ(result("lblARpenScan"), "0");
}

TEST_F(ArRacesPageTest, TypedStarbaseTextCountsAsNoStarbase) {
    auto* starbase = window->findChild<widgets::ComboBox*>("cmbStarBase");
    EXPECT_EQ(starbase->currentText(), "Select Starbase");
    chooseFromList(starbase, "Ultra Station");
    EXPECT_EQ(result("lblARpenScan"), "16");
    starbase->lineEdit()->selectAll();
    QTest::keyClicks(starbase->lineEdit(), "Ultra");
    EXPECT_EQ(result("lblARpenScan"), "0");
}

TEST_F(ArRacesPageTest, ANegativePopulationIsReportedAndChangesNoResult) {
    type("speARpop", "250");
    box("speARpop")->setText("-5"); // pasted: typing "-" alone reads as the minimum
    EXPECT_EQ(dialogs.errors.last(), "Invalid floating point operation");
    EXPECT_EQ(results(), QStringList({"5", "0", "5", "2"}));
}

TEST_F(ArRacesPageTest, EfficiencyZeroKeepsTheResourcesText) {
    type("speARpop", "250");
    type("speAReff", "0");
    EXPECT_EQ(results(), QStringList({"5", "0", "5", "2"}));
    box("speARpop")->setText("10000"); // pasted, so the efficiency box keeps the focus and its 0
    EXPECT_EQ(results(), QStringList({"32", "0", "5", "10"}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    box("speARpop")->setFocus(); // leaving the efficiency box clamps it to 7, which recalculates
    EXPECT_EQ(box("speAReff")->text(), "7");
    EXPECT_EQ(result("lblARresources"), "38");
}

TEST_F(ArRacesPageTest, AnEmptyBoxReadsAsItsMinimum) {
    type("speARvalue", "");
    EXPECT_EQ(result("lblARresources"), "0");
    type("speARenergy", "");
    type("speARvalue", "100");
    EXPECT_EQ(result("lblARresources"), "32");
}

TEST_F(ArRacesPageTest, LeavingABoxOutOfRangeClampsAndRecalculates) {
    type("speARpop", "9999999");
    EXPECT_EQ(result("lblARMining"), "316");
    window->findChild<QCheckBox*>("chkNoAdvScanners")->setFocus();
    EXPECT_EQ(box("speARpop")->text(), "3300000");
    EXPECT_EQ(result("lblARMining"), "182");
}

TEST_F(ArRacesPageTest, TheArrowKeysStepThePopulation) {
    box("speARpop")->setFocus();
    QTest::keyClick(box("speARpop"), Qt::Key_Up);
    EXPECT_EQ(box("speARpop")->text(), "20000");
    EXPECT_EQ(result("lblARMining"), "14");
}

} // namespace
} // namespace kc::test
