#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace kc::test {
namespace {

const QString kSweepCaption = QStringLiteral("This Fleet/Ship is able to sweep ");
const QString kDecayCaption = QStringLiteral("The decay rate is :");
const QString kDiameterCaption = QStringLiteral("The maximum Field Diameter is approximally");

class MinefieldsPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Minefields");
    }

    widgets::ComboBox* weapons() const { return window->findChild<widgets::ComboBox*>("cmbWeapon"); }
    QCheckBox* check(const char* name) const { return control<QCheckBox>(name); }
    QString text(const char* name) const { return control<QLabel>(name)->text(); }
    QStringList results() const {
        return {text("lblResultSweep"), text("lblResultMines"), text("lblResultMine2")};
    }
};

TEST_F(MinefieldsPageTest, ShowsItsDesignCaptionsUntilAnInputChanges) {
    EXPECT_EQ(results(), (QStringList{kSweepCaption, kDecayCaption, kDiameterCaption}));
    EXPECT_EQ(weapons()->currentText(), "Select Weapon");
    EXPECT_EQ(window->findChild<QGroupBox*>("grpMaximumDiameter")->title(),
              "Maximum diameter (approximately) ");
}

TEST_F(MinefieldsPageTest, TheNumberCaptionFocusesItsBoxWithAltN) {
    weapons()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(box("speNumber")->hasFocus());
}

// Every input of a group, and what it writes into its group's label (-1: nothing); the other labels keep
// their texts.
struct GroupInput {
    std::function<void()> change;
    int written;
    const char* text;
};

TEST_F(MinefieldsPageTest, EachInputRecalculatesOnlyItsOwnGroup) {
    const GroupInput inputs[] = {
        {[this] { type("speNumber", "3"); }, -1, "ships without a weapon"},
        {[this] { chooseFromList(weapons(), "Laser"); }, 0,
         "This Fleet/Ship is able to sweep\n\r   30 Standard/Heavy\n\r   10 Speed Bumb mines a year"},
        {[this] { type("speNumber", "1"); }, 0,
         "This Fleet/Ship is able to sweep\n\r   10 Standard/Heavy\n\r   3 Speed Bumb mines a year"},
        {[this] { type("speMines", "400"); }, 1, "The decay rate is : 4mines ( 1 % )"},
        {[this] { type("spePlanetsInField", "5"); }, 1, "The decay rate is : 84mines ( 21 % )"},
        {[this] { check("chkSpaceDem2")->click(); }, 1, "The decay rate is : 24mines ( 6 % )"},
        {[this] { check("chkSpaceDem")->click(); }, 2,
         "The maximum Field Diameter is approximally 174 ly ( 30300 mines )"},
        {[this] { type("txtMinesYear", "50"); }, 2,
         "The maximum Field Diameter is approximally 71 ly ( 5100 mines )"},
        {[this] { type("txtPlanetsInField", "49"); }, 2,
         "The maximum Field Diameter is approximally 12 ly ( 150 mines )"},
    };
    for (const GroupInput& input : inputs) {
        QStringList expected = results();
        input.change();
        if (input.written >= 0)
            expected[input.written] = input.text;
        EXPECT_EQ(results(), expected) << input.text;
    }
}

TEST_F(MinefieldsPageTest, TypedWeaponTextLeavesTheSweepAsItWas) {
    chooseFromList(weapons(), "Mini Gun");
    type("speNumber", "1");
    const QString sweep = text("lblResultSweep");
    weapons()->lineEdit()->selectAll();
    QTest::keyClicks(weapons()->lineEdit(), "Laser");
    type("speNumber", "2");
    EXPECT_EQ(text("lblResultSweep"), sweep);
}

TEST_F(MinefieldsPageTest, AnUnlockedWeaponSweepsAndADuplicateHasNoFigures) {
    // What unlocking "multi contained munition" does to the list; a second unlock appends it again.
    weapons()->addItem(QStringLiteral("multi contained munition"));
    type("speNumber", "1");
    chooseFromList(weapons(), "multi contained munition");
    EXPECT_EQ(text("lblResultSweep"),
              "This Fleet/Ship is able to sweep\n\r   1260 Standard/Heavy\n\r   420 Speed Bumb mines a year");
    weapons()->addItem(QStringLiteral("multi contained munition"));
    weapons()->chooseItem(18);
    EXPECT_EQ(text("lblResultSweep"), "No figures for this weapon");
}

} // namespace
} // namespace kc::test
