#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QLabel>

namespace kc::test {
namespace {

class BeamWeaponsPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Beam Weapons");
    }

    widgets::ComboBox* weapons() const { return window->findChild<widgets::ComboBox*>("cmbDamageWeapon"); }
    QString result() const { return window->findChild<QLabel*>("pnlResultDamage")->text(); }
    static QString damage(int dp) {
        return QStringLiteral("This Fleet will do %1dp damage to the target token.").arg(dp);
    }
};

TEST_F(BeamWeaponsPageTest, ShowsItsDesignCaptionAndNoteUntilAnInputChanges) {
    EXPECT_EQ(result(), "This Weapon will do            dp to the target.");
    EXPECT_EQ(weapons()->currentText(), "Select Weapon");
    EXPECT_EQ(
        window->findChild<QLabel*>("lblBeamNote")->text(),
        "This calcualation is approximal. The exact damage done might vary depending on the target tooken "
        "remaining shield/armor strength.");
}

TEST_F(BeamWeaponsPageTest, EveryInputRecalculates) {
    chooseFromList(weapons(), "Streaming Pulveriser");
    EXPECT_EQ(result(), damage(433));
    const struct {
        const char* box;
        const char* text;
        int dp;
    } changes[] = {
        {"speWeaponDist", "1", 389},    {"speDamageEnCap", "3", 518},       {"speDamageFlux", "2", 747},
        {"speDamageDeflect", "2", 605}, {"speDamageNbrWeapon", "16", 9680},
    };
    for (const auto& change : changes) {
        type(change.box, QString::fromLatin1(change.text));
        EXPECT_EQ(result(), damage(change.dp)) << change.box << '=' << change.text;
    }
    type("speWeaponDist", "2");
    EXPECT_EQ(result(), "This Fleet is out of range.");
}

TEST_F(BeamWeaponsPageTest, TypedTextOrAWeaponAppendedTwiceShowsANotice) {
    weapons()->typeText(QStringLiteral("Las"));
    EXPECT_EQ(result(), "Select a weapon");
    // What unlocking "multi contained munition" does to the list; a second unlock appends it again.
    weapons()->addItem(QStringLiteral("multi contained munition"));
    chooseFromList(weapons(), "multi contained munition");
    type("speWeaponDist", "3");
    EXPECT_EQ(result(), damage(126));
    weapons()->addItem(QStringLiteral("multi contained munition"));
    weapons()->chooseItem(18);
    EXPECT_EQ(result(), "No figures for this weapon");
}

} // namespace
} // namespace kc::test
