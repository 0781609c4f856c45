#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QLabel>

namespace kc::test {
namespace {

class OvergatingPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Overgating damage");
    }

    widgets::ComboBox* gate(const char* name) const { return control<widgets::ComboBox>(name); }
    QLabel* label(const char* name) const { return control<QLabel>(name); }
    QStringList results() const { return {label("lblOGA2B")->text(), label("lblOGB2A")->text()}; }
};

TEST_F(OvergatingPageTest, ShowsItsDesignCaptionsUntilAnInputChanges) {
    EXPECT_EQ(results(), (QStringList{"%", "%"}));
    for (const char* name : {"cmbOGA", "cmbOGB"}) {
        EXPECT_EQ(gate(name)->itemIndex(), -1) << name;
        EXPECT_EQ(gate(name)->currentText(), "") << name;
    }
}

TEST_F(OvergatingPageTest, TheWeightBoxStandsInTheGapOfItsCaption) {
    const QLabel* caption = label("captionOGWeight");
    ASSERT_EQ(caption->text(), "Ship weight :                             kT");
    const QFontMetrics metrics = caption->fontMetrics();
    const QRect weight = box("speOGWeight")->geometry();
    EXPECT_EQ(box("speOGWeight")->parentWidget(), caption);
    EXPECT_GE(weight.left(), metrics.horizontalAdvance("Ship weight :"));
    EXPECT_LE(weight.right(), metrics.horizontalAdvance("Ship weight :                             "));
}

TEST_F(OvergatingPageTest, EveryInputRecalculatesOnceBothGatesAreChosen) {
    type("speOGWeight", "200");
    EXPECT_EQ(results(), (QStringList{"Select both gates", "Select both gates"}));
    chooseFromList(gate("cmbOGA"), "100/250");
    EXPECT_EQ(results(), (QStringList{"Select both gates", "Select both gates"})) << "the first choice";
    chooseFromList(gate("cmbOGB"), "300/500");
    EXPECT_EQ(results(), (QStringList{"18%", "18%"}));
    type("speOGDist", "400");
    EXPECT_EQ(results(), (QStringList{"30%", "18%"}));
    type("speOGWeight", "100");
    EXPECT_EQ(results(), (QStringList{"15%", "0%"}));
    chooseFromList(gate("cmbOGA"), "any/any");
    EXPECT_EQ(results(), (QStringList{"0%", "0%"}));
}

} // namespace
} // namespace kc::test
