#include "app/pages/interception_page.h"
#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/picture.h"
#include "widgets/spin_edit.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace kc::test {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kNavy(0, 0, 128);

class InterceptionPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Interception");
    }

    app::InterceptionPage* page() const { return window->interceptionPage(); }
    widgets::Picture* picture() const { return window->findChild<widgets::Picture*>("imgIntercept"); }
    QRadioButton* situation(const char* name) const { return control<QRadioButton>(name); }
    QString result(const char* name) const { return control<QLabel>(name)->text(); }
    void steps(int count) {
        for (int step = 0; step < count; ++step)
            page()->tmrIntersectTimer();
    }
};

TEST_F(WindowTest, TheInterceptionPicturesAreDrawnAtStartUp) {
    const auto* picture = window->findChild<widgets::Picture*>("imgIntercept");
    EXPECT_EQ(picture->pixel({50, 160}), kNavy);
}

TEST_F(InterceptionPageTest, ResultsKeepTheirDesignTextsUntilAnInputChanges) {
    EXPECT_EQ(result("lblDistance"), "Distance between a and b is : ____ ly");
    EXPECT_EQ(result("lblResultXY"), "The object's possition in    years will be : X             Y");
}

TEST_F(InterceptionPageTest, EveryBoxAndTheOtherSituationRecalculate) {
    const struct {
        const char* control;
        const char* typed; // nullptr: click the radio button
        const char* position;
    } script[] = {
        {"speXYspeed", "10", "X 1470 ,Y 1470"}, {"speXYyears", "2", "X 1541 ,Y 1541"},
        {"optPos2", nullptr, "X 1341 ,Y 1341"}, {"optPos1", nullptr, "X 1541 ,Y 1541"},
        {"speX1", "1000", "X 1578 ,Y 1489"},    {"speY1", "1000", "X 1541 ,Y 1541"},
        {"speX2", "1000", "X 1000 ,Y 1600"},    {"speY2", "1100", "X 1000 ,Y 1300"},
    };
    for (const auto& step : script) {
        if (step.typed != nullptr)
            type(step.control, step.typed);
        else
            situation(step.control)->click();
        EXPECT_TRUE(result("lblResultXY").endsWith(QString(" : \n\r") + step.position))
            << step.control << ": " << result("lblResultXY").toStdString();
    }
}

TEST_F(InterceptionPageTest, ClickingTheChosenSituationComputesNothing) {
    situation("optPos1")->click();
    EXPECT_EQ(result("lblDistance"), "Distance between a and b is : ____ ly");
}

TEST_F(InterceptionPageTest, EqualYValuesLeaveTheDistanceAsItWas) {
    type("speXYspeed", "2");
    window->findChild<widgets::SpinEdit*>("speY2")->setText("1200"); // pasted: one change, no steps between
    EXPECT_EQ(result("lblResultXY"), "I am sorry but the Y values must be different");
    EXPECT_EQ(result("lblDistance"), "Distance between a and b is : 282 ly");
}

TEST_F(InterceptionPageTest, ThePictureShowsBothCourses) {
    EXPECT_EQ(picture()->pixel({0, 0}), window->palette().color(QPalette::Button));
    for (const int offset : {0, 110}) {
        EXPECT_EQ(picture()->pixel({35, offset + 35}), kBlue) << offset;
        EXPECT_EQ(picture()->pixel({50, offset + 50}), kNavy) << offset;
        EXPECT_EQ(picture()->pixel({100, offset + 100}), kNavy) << offset;
    }
}

TEST_F(InterceptionPageTest, EachStepPaintsOnePixelAndTheColourFlipsAfterEighty) {
    steps(1);
    EXPECT_EQ(picture()->pixel({21, 21}), kRed);
    EXPECT_EQ(picture()->pixel({22, 22}), kBlue);
    steps(79);
    EXPECT_EQ(picture()->pixel({99, 99}), kRed);
    EXPECT_EQ(page()->animation().counter(), 0);
    steps(1);
    EXPECT_EQ(picture()->pixel({21, 21}), kBlue);
    EXPECT_EQ(picture()->pixel({22, 22}), kRed);
}

TEST_F(InterceptionPageTest, NothingMovesWhileTheLowerSituationIsChosen) {
    steps(3);
    situation("optPos2")->click();
    steps(10);
    EXPECT_EQ(page()->animation().counter(), 3);
    EXPECT_EQ(picture()->pixel({24, 24}), kBlue);
}

TEST_F(InterceptionPageTest, LeavingStopsTheAnimationAndReturningStartsItOverOnAFreshPicture) {
    steps(85);
    chooseFromList(window->pageSelector(), "Scanning");
    EXPECT_FALSE(window->interceptionTimer()->isActive());
    EXPECT_EQ(page()->animation().counter(), 5);
    chooseFromList(window->pageSelector(), "Interception");
    EXPECT_TRUE(window->interceptionTimer()->isActive());
    EXPECT_EQ(page()->animation().counter(), 0);
    EXPECT_EQ(picture()->pixel({23, 23}), kBlue);
    steps(3);
    EXPECT_EQ(picture()->pixel({23, 23}), kRed);
}

TEST_F(InterceptionPageTest, TheWindowsTimerDrivesTheAnimation) {
    window->interceptionTimer()->setInterval(0); // fires on the next pass of the event loop, no waiting
    QCoreApplication::processEvents();
    EXPECT_GT(page()->animation().counter(), 0);
}

} // namespace
} // namespace kc::test
