#include "widgets/up_down.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::widgets {
namespace {

class UpDownTest : public testing::Test {
protected:
    UpDownTest() {
        upDown.setRange(0, 100);
        upDown.setValue(50);
        upDown.setGeometry(0, 0, 16, 20);
        box.setGeometry(20, 0, 60, 20);
        upDown.associate(&box);
        window.show();
    }

    void press(QToolButton* arrow) { QTest::mouseClick(arrow, Qt::LeftButton); }

    QWidget window;
    UpDown upDown{&window};
    QLineEdit box{&window};
};

TEST_F(UpDownTest, TheUpperArrowRaisesAndTheLowerLowersThePosition) {
    QSignalSpy moves(&upDown, &UpDown::valueChanged);
    press(upDown.upButton());
    EXPECT_EQ(upDown.value(), 51);
    press(upDown.downButton());
    press(upDown.downButton());
    EXPECT_EQ(upDown.value(), 49);
    EXPECT_EQ(moves.count(), 3);
}

TEST_F(UpDownTest, StopsAtTheEndsWithoutWrapping) {
    upDown.setValue(100);
    QSignalSpy moves(&upDown, &UpDown::valueChanged);
    press(upDown.upButton());
    EXPECT_EQ(upDown.value(), 100);
    upDown.setValue(0);
    press(upDown.downButton());
    EXPECT_EQ(upDown.value(), 0);
    EXPECT_EQ(moves.count(), 1); // only the move to 0
}

TEST_F(UpDownTest, TheArrowKeysInTheAssociatedBoxStepIt) {
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(upDown.value(), 51);
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(upDown.value(), 49);
}

} // namespace
} // namespace kc::widgets
