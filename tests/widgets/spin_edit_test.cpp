#include "widgets/spin_edit.h"

#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace kc::widgets {
namespace {

class SpinEditTest : public testing::Test {
protected:
    SpinEditTest() {
        box.setMinValue(0);
        box.setMaxValue(100);
        box.setIncrement(10);
        box.setValue(50);
        window.resize(200, 60);
        box.setParent(&window);
        other.setParent(&window);
        other.move(0, 30);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        box.setFocus();
    }

    void leaveBox() {
        other.setFocus();
        QApplication::processEvents();
    }

    QWidget window;
    SpinEdit box;
    QLineEdit other;
};

TEST_F(SpinEditTest, ReadingGivesMinValueForTextsThatAreNotIntegers) {
    for (const char* text : {"", "-", "12a", "1e3", "5 ", "99999999999"}) {
        box.setText(QString::fromLatin1(text));
        EXPECT_EQ(box.value(), 0) << "text '" << text << "'";
    }
}

TEST_F(SpinEditTest, ReadingNeverClamps) {
    box.setText("250");
    EXPECT_EQ(box.value(), 250);
    box.setText("-7");
    EXPECT_EQ(box.value(), -7);
}

TEST_F(SpinEditTest, EveryTextChangeFiresTheChangeEvent) {
    QSignalSpy changes(&box, &SpinEdit::changed);
    box.setText("");
    QTest::keyClicks(&box, "42");
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(box.value(), 42);
}

TEST_F(SpinEditTest, TypingRefusesLettersAndEnterWithABeep) {
    box.setText("");
    QSignalSpy refused(&box, &SpinEdit::keyRefused);
    QTest::keyClicks(&box, "1a2x");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Enter);
    EXPECT_EQ(box.text(), "12");
    EXPECT_EQ(refused.count(), 4);
}

TEST_F(SpinEditTest, TypingAcceptsSignsAndTheDecimalSeparator) {
    box.setText("");
    QTest::keyClicks(&box, "+-.5");
    EXPECT_EQ(box.text(), "+-.5");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "+-.");
}

TEST_F(SpinEditTest, ArrowsAndKeysStepByTheIncrementAndClamp) {
    struct Step {
        const char* start;
        Qt::Key key;
        const char* expected;
    };
    const Step steps[] = {
        {"50", Qt::Key_Up, "60"}, {"50", Qt::Key_Down, "40"}, {"95", Qt::Key_Up, "100"},
        {"5", Qt::Key_Down, "0"}, {"250", Qt::Key_Up, "100"}, {"abc", Qt::Key_Up, "10"},
    };
    for (const Step& step : steps) {
        box.setText(step.start);
        QTest::keyClick(&box, step.key);
        EXPECT_EQ(box.text(), step.expected) << step.start;
    }
}

TEST_F(SpinEditTest, ClickingTheArrowButtonsSteps) {
    QStyleOptionSpinBox option;
    option.initFrom(&box);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = true;
    const auto arrow = [&](QStyle::SubControl which) {
        return box.style()->subControlRect(QStyle::CC_SpinBox, &option, which, &box).center();
    };
    box.setText("95");
    QTest::mouseClick(&box, Qt::LeftButton, {}, arrow(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(box.text(), "100");
    QTest::mouseClick(&box, Qt::LeftButton, {}, arrow(QStyle::SC_SpinBoxDown));
    QTest::mouseClick(&box, Qt::LeftButton, {}, arrow(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(box.text(), "80");
}

TEST_F(SpinEditTest, LeavingClampsAValueOutsideTheRangeAndFiresAgain) {
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&box, "250");
    QSignalSpy changes(&box, &SpinEdit::changed);
    leaveBox();
    EXPECT_EQ(box.text(), "100");
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SpinEditTest, LeavingKeepsTextThatIsNotAnInteger) {
    box.setText("1.5");
    leaveBox();
    EXPECT_EQ(box.text(), "1.5");
}

TEST_F(SpinEditTest, EqualBoundsMeanNoBounds) {
    box.setMinValue(0);
    box.setMaxValue(0);
    box.setText("5000");
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), "5010");
    leaveBox();
    EXPECT_EQ(box.text(), "5010");
}

TEST_F(SpinEditTest, MaxLengthLimitsTypingAndPastingButNotTheArrows) {
    box.setMaxValue(1000);
    box.setIncrement(1);
    box.setMaxLength(1);
    box.setText("");
    QSignalSpy refused(&box, &SpinEdit::keyRefused);
    QTest::keyClicks(&box, "12");
    EXPECT_EQ(box.text(), "1");
    EXPECT_EQ(refused.count(), 1);
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&box, "9"); // replacing the selection fits
    EXPECT_EQ(box.text(), "9");
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), "10");
    box.setText("2147483647");
    EXPECT_EQ(box.value(), 2147483647);

    QApplication::clipboard()->setText("345");
    box.setText("");
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), "3");
}

TEST_F(SpinEditTest, SteppingPastThe32BitRangeSaturates) {
    box.setMinValue(0);
    box.setMaxValue(0);
    box.setText("2147483647");
    box.stepBy(1);
    EXPECT_EQ(box.text(), "2147483647");
}

} // namespace
} // namespace kc::widgets
