#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>

namespace kc::test {
namespace {

class PlanetScorePageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Planet Score");
    }

    QString result() const { return window->findChild<QLabel*>("pnlResultScore")->text(); }
};

TEST_F(PlanetScorePageTest, EveryInputRecalculatesFromTheDesignCaption) {
    const struct {
        const char* input;
        const char* typed;
        const char* points;
    } rows[] = {
        {"speNbrPlanets", "0", "2"}, {"speNbrUnarmed", "0", "4"}, {"speNbrArmed", "2", "6"},
        {"speNbrCapital", "0", "1"}, {"spePop", "700000", "11"},  {"speRec", "30", "6"},
    };
    for (const auto& row : rows) {
        SetUp(); // a fresh window, at the design captions
        ASSERT_EQ(result(), "This planet contributes      points to your score") << row.input;
        typeOver(box(row.input), row.typed);
        EXPECT_EQ(result(), QString("This planet contributes %1 points to your score.").arg(row.points))
            << row.input;
    }
    window->findChild<QCheckBox*>("chkStarDock")->click();
    EXPECT_EQ(result(), "This planet contributes 9 points to your score.");
}

TEST_F(PlanetScorePageTest, OneArrowClickRecalculatesOnce) {
    box("speNbrCapital")->setText("-2"); // pasted below the range: 16 - 0 capital-ship points at 1 planet
    EXPECT_EQ(result(), "This planet contributes 17 points to your score.");
    box("speNbrPlanets")->setFocus();
    QTest::keyClick(box("speNbrPlanets"), Qt::Key_Up); // 2 planets cancel the -2 ships
    EXPECT_EQ(dialogs.errors, QStringList({"Floating point division by zero"}));
    EXPECT_EQ(result(), "This planet contributes 17 points to your score.");
}

} // namespace
} // namespace kc::test
