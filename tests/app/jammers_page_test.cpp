#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QLabel>
#include <QLineEdit>

namespace kc::test {
namespace {

class JammersPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Jammers Vs Battle Computers");
    }

    widgets::ComboBox* torpedoes() const { return window->findChild<widgets::ComboBox*>("cmbTorpType"); }
    QString result() const { return window->findChild<QLabel*>("pnlResultTorp")->text(); }
};

TEST_F(JammersPageTest, KeepsItsCaptionUntilATorpedoIsChosen) {
    EXPECT_EQ(torpedoes()->currentText(), "Select A torpedo");
    type("speJam20", "2");
    EXPECT_EQ(result(), "The torpedo will have an accuracy of");
    chooseFromList(torpedoes(), "Alpha Torpedo");
    EXPECT_EQ(result(), "The torpedo will have an accuracy of 22 %. that's a decrease of 13 %.");
    typeOver(torpedoes()->lineEdit(), "Alpha");
    type("speJam20", "0");
    EXPECT_EQ(result(), "The torpedo will have an accuracy of 22 %. that's a decrease of 13 %.")
        << "typed text is no torpedo: the panel keeps its text";
}

TEST_F(JammersPageTest, EveryInputRecalculates) {
    chooseFromList(torpedoes(), "Omega Torpedo");
    QString previous = result();
    for (const char* box :
         {"speJam10", "speJam20", "speJam30", "speJam50", "speBattle", "speBattleSuper", "speBattleNexus"}) {
        type(box, "1");
        EXPECT_NE(result(), previous) << box;
        previous = result();
    }
    chooseFromList(torpedoes(), "Jihad Missile");
    EXPECT_NE(result(), previous);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(JammersPageTest, AnAppendedTorpedoUsesItsFigureAndADuplicateHasNone) {
    // What unlocking "anti matter torpedo" does to the list; a second unlock appends it again.
    torpedoes()->addItem(QStringLiteral("anti matter torpedo"));
    type("speBattleNexus", "3");
    chooseFromList(torpedoes(), "anti matter torpedo");
    EXPECT_EQ(result(), "The torpedo will have an accuracy of 98 %. that's an increase of 13 %.");
    torpedoes()->addItem(QStringLiteral("anti matter torpedo"));
    torpedoes()->chooseItem(12);
    EXPECT_EQ(result(), "No figures for this torpedo");
}

} // namespace
} // namespace kc::test
