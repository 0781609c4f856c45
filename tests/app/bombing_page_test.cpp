#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

class BombingPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Bombing");
    }

    widgets::ComboBox* list(const char* name) const { return control<widgets::ComboBox>(name); }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    QString result() const { return label("lblBombres"); }
    QString coverage() const { return label("lblBombDef"); }
};

TEST_F(BombingPageTest, ShowsItsDesignCaptionsUntilAnInputChanges) {
    EXPECT_EQ(result(), "0 colonists are killed by this fleet.");
    EXPECT_EQ(coverage(), "0% Defense coverage");
    EXPECT_EQ(list("cmbBombType4")->currentText(), "Select Type");
    EXPECT_EQ(list("cmbBombDef")->currentText(), "Select Defense type");
}

TEST_F(BombingPageTest, EveryInputRecalculatesBothLabels) {
    const QString none = "0 (0%) colonists are killed and\n\r0 installations are destroyed by this fleet.";
    type("speBombPop", "250000");
    EXPECT_EQ(result(), none);
    type("speBombNbr3", "10");
    chooseFromList(list("cmbBombType3"), "Cherry");
    type("speBombNbr4", "5");
    chooseFromList(list("cmbBombType4"), "Peerless");
    EXPECT_EQ(result(),
              "104916 (41.9%) colonists are killed and\n\r100 installations are destroyed by this fleet.");
    chooseFromList(list("cmbBombDef"), "Neutron Shield");
    type("speBombDef", "10");
    EXPECT_EQ(result(),
              "81241 (32.4%) colonists are killed and\n\r83 installations are destroyed by this fleet.");
    EXPECT_EQ(coverage(), "32.04% Defense coverage");
    type("speBombers", "0");
    EXPECT_EQ(result(), none);
    type("speBombers", "1");
    type("speBombNbr2", "1");
    EXPECT_EQ(result(), "Select a bomb type for row 2");
    chooseFromList(list("cmbBombType2"), "LBU-74");
    EXPECT_EQ(result(),
              "81794 (32.7%) colonists are killed and\n\r121 installations are destroyed by this fleet.");
    type("speBombNbr1", "1");
    EXPECT_EQ(result(), "Select a bomb type for row 1");
    chooseFromList(list("cmbBombType1"), "Smart");
    EXPECT_EQ(result(),
              "83512 (33.4%) colonists are killed and\n\r121 installations are destroyed by this fleet.");
}

TEST_F(BombingPageTest, TypedTextIsNoSelection) {
    type("speBombDef", "3");
    EXPECT_EQ(result(), "Select a defense type");
    EXPECT_EQ(coverage(), "Select a defense type");
    chooseFromList(list("cmbBombDef"), "SDI");
    EXPECT_EQ(coverage(), "2.94% Defense coverage");
    typeOver(list("cmbBombDef")->lineEdit(), "SDI");
    EXPECT_EQ(coverage(), "Select a defense type");
    type("speBombDef", "0");
    EXPECT_EQ(coverage(), "0% Defense coverage");
}

TEST_F(BombingPageTest, APopulationOfZeroIsReportedAndLeavesBothLabels) {
    type("speBombNbr1", "10");
    chooseFromList(list("cmbBombType1"), "Cherry");
    chooseFromList(list("cmbBombDef"), "Neutron Shield");
    type("speBombDef", "10");
    const QString before = result();
    type("speBombPop", "0");
    EXPECT_EQ(dialogs.errors, QStringList{"Invalid floating point operation"});
    EXPECT_EQ(result(), before);
    EXPECT_EQ(coverage(), "32.04% Defense coverage");
    type("speBombPop", "");
    EXPECT_EQ(result(),
              "100 (100%) colonists are killed and\n\r83 installations are destroyed by this fleet.")
        << "an empty box reads as 100 colonists; the kill is capped by the population";
}

} // namespace
} // namespace kc::test
