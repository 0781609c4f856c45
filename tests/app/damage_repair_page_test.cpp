#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>

namespace kc::test {
namespace {

constexpr const char* kAllRepaired = "All of the ship's/fleet's Damage will be repaired next year";

class DamageRepairPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Damage repairing");
    }

    widgets::ComboBox* locations() const { return window->findChild<widgets::ComboBox*>("cmbPos"); }
    QCheckBox* check(const char* name) const { return control<QCheckBox>(name); }
    QString result() const { return window->findChild<QLabel*>("lblResultDamage")->text(); }
    static QString repaired(const char* share) {
        return QStringLiteral("%1 of the ship's/fleet's Damage will be repaired next year")
            .arg(QLatin1String(share));
    }
};

TEST_F(DamageRepairPageTest, ShowsItsDesignTextUntilAnInputChanges) {
    EXPECT_EQ(result(), "_________ dp will be repared next year.");
    EXPECT_EQ(locations()->currentText(), "Select Location");
}

TEST_F(DamageRepairPageTest, EveryInputRecalculates) {
    chooseFromList(locations(), "moving in space");
    EXPECT_EQ(result(), kAllRepaired);
    type("speTotalArmor", "1000");
    type("speDamage", "50");
    EXPECT_EQ(result(), repaired("9dp (2%)"));
    check("chkFuel")->click();
    EXPECT_EQ(result(), repaired("59dp (12%)"));
    check("chkFuelSuper")->click(); // replaces the fuel transport's bonus
    EXPECT_EQ(result(), repaired("109dp (22%)"));
    check("chkFuel")->click();
    EXPECT_EQ(result(), repaired("109dp (22%)"));
    check("chkFuelSuper")->click();
    EXPECT_EQ(result(), repaired("9dp (2%)"));
}

TEST_F(DamageRepairPageTest, ALocationWithoutARateOrNoLocationShowsANotice) {
    type("speDamage", "50");
    EXPECT_EQ(result(), "Select a location");
    chooseFromList(locations(), "Bombing an opponent's planet");
    EXPECT_EQ(result(), "No repair figures for this location");
    locations()->typeText(QStringLiteral("moving"));
    EXPECT_EQ(result(), "Select a location");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(DamageRepairPageTest, NoArmorWithDamageLeftIsReportedAndKeepsTheText) {
    chooseFromList(locations(), "orbiting a planet I own, with a space dock");
    type("speDamage", "20");
    EXPECT_EQ(result(), kAllRepaired);
    type("speDamage", "30");
    EXPECT_EQ(dialogs.errors, QStringList{"Invalid floating point operation"});
    EXPECT_EQ(result(), kAllRepaired);
}

} // namespace
} // namespace kc::test
