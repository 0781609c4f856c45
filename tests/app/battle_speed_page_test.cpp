#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QLabel>

namespace kc::test {
namespace {

class BattleSpeedPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Battle Speed");
    }

    widgets::ComboBox* engines() const { return window->findChild<widgets::ComboBox*>("cmbEngine"); }
    QString result() const { return window->findChild<QLabel*>("pnlResultSpeed")->text(); }
    static QString moves(const char* steps) {
        return QStringLiteral("Movement in battle is : %1 square(s) a round.").arg(QLatin1String(steps));
    }
};

TEST_F(BattleSpeedPageTest, ShowsItsDesignCaptionUntilAnInputChanges) {
    EXPECT_EQ(result(), "Battle speed is :          square(s) a round.");
    EXPECT_EQ(engines()->currentText(), "Select an engine");
}

TEST_F(BattleSpeedPageTest, EveryInputRecalculates) {
    chooseFromList(engines(), "Trans-Galactic Drive");
    EXPECT_EQ(result(), moves("2"));
    const struct {
        const char* box;
        const char* text;
        const char* steps;
    } changes[] = {
        {"speEmptyWeight", "100", "1_3/4"}, {"speNbrManJets", "2", "2_1/4"},
        {"speNbrOver", "1", "2_1/2"},       {"speNbrOver", "0", "2_1/4"},
        {"speFreightWeight", "900", "1/2"}, {"speNbrEngines", "10", "2_1/4"},
    };
    for (const auto& change : changes) {
        type(change.box, QString::fromLatin1(change.text));
        EXPECT_EQ(result(), moves(change.steps)) << change.box << '=' << change.text;
    }
}

TEST_F(BattleSpeedPageTest, NoEnginesAreReportedAndKeepThePanelsCaption) {
    type("speNbrEngines", "0");
    EXPECT_EQ(dialogs.errors, QStringList{"Floating point division by zero"});
    EXPECT_EQ(result(), "Battle speed is :          square(s) a round.");
    chooseFromList(engines(), "Trans-Galactic Drive"); // leaving the box clamps it to one engine
    EXPECT_EQ(window->findChild<widgets::SpinEdit*>("speNbrEngines")->text(), "1");
    EXPECT_EQ(result(), moves("2"));
    type("speNbrEngines", "0");
    EXPECT_EQ(result(), moves("2"));
    EXPECT_EQ(dialogs.errors, QStringList(2, "Floating point division by zero"));
}

TEST_F(BattleSpeedPageTest, TypedTextOrAnEngineAppendedTwiceShowsANotice) {
    engines()->typeText(QStringLiteral("Trans"));
    EXPECT_EQ(result(), "Select an engine");
    // What unlocking "mega poly shell" does to the list; a second unlock appends it again.
    engines()->addItem(QStringLiteral("mega poly shell"));
    chooseFromList(engines(), "mega poly shell");
    EXPECT_EQ(result(), moves("2"));
    engines()->addItem(QStringLiteral("mega poly shell"));
    engines()->chooseItem(16);
    EXPECT_EQ(result(), "No figures for this engine");
}

} // namespace
} // namespace kc::test
