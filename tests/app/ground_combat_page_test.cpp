#include "support/app_fixture.h"
#include "support/choose.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

class GroundCombatPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Ground Combat");
    }

    QStringList results() const {
        QStringList texts;
        for (const char* name : {"groundKilledByDef", "groundWins", "groundPopLeft"})
            texts << control<QLabel>(name)->text();
        return texts;
    }
    void click(const char* name) { control<QCheckBox>(name)->click(); }
};

TEST_F(GroundCombatPageTest, ShowsItsDesignTextsUntilAnInputChanges) {
    EXPECT_EQ(results(), (QStringList{"Killed by Defences:", "", "Pop left:"}));
}

TEST_F(GroundCombatPageTest, EveryBoxAndTraitRecalculates) {
    type("groundAttackers", "1000");
    EXPECT_EQ(results(), (QStringList{"Killed by Defences: 0", "Attacker wins", "PopLeft: 1000"}));
    type("groundDefenders", "500");
    EXPECT_EQ(results(), (QStringList{"Killed by Defences: 0", "Attacker wins", "PopLeft: 545"}));
    type("groundDefCov", "50");
    EXPECT_EQ(results(), (QStringList{"Killed by Defences: 375", "Attacker wins", "PopLeft: 170"}));
    click("groundWM");
    EXPECT_EQ(results(), (QStringList{"Killed by Defences: 375", "Attacker wins", "PopLeft: 322"}));
    click("groundIS");
    EXPECT_EQ(results(), (QStringList{"Killed by Defences: 375", "Attacker wins", "PopLeft: 19"}));
    click("groundWM");
    EXPECT_EQ(results(), (QStringList{"Killed by Defences: 375", "Defender wins", "PopLeft: 156"}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(GroundCombatPageTest, AnEmptyBoxIsReportedAndChangesNoLabel) {
    type("groundAttackers", "1000");
    type("groundDefenders", "500");
    const QStringList before = results();
    type("groundDefenders", "");
    EXPECT_EQ(dialogs.errors, QStringList{"'' is not a valid floating point value"});
    EXPECT_EQ(results(), before);
}

} // namespace
} // namespace kc::test
