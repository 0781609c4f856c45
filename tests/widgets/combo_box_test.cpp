#include "widgets/combo_box.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace kc::widgets {
namespace {

class ComboBoxTest : public testing::Test {
protected:
    ComboBoxTest() {
        box.setEditable(true);
        box.addItems({"Orbital Fort", "Death Star"});
        box.showUnchosenText("Select Starbase");
        box.show();
    }
    ComboBox box;
};

TEST_F(ComboBoxTest, StartsWithNothingChosenAndItsPrompt) {
    EXPECT_EQ(box.itemIndex(), -1);
    EXPECT_EQ(box.currentText(), "Select Starbase");
}

TEST_F(ComboBoxTest, ANarrowBoxOpensItsListWideEnoughForTheLongestItem) {
    box.addItem("Orbital Colony Module (AR)");
    box.setFixedWidth(60);
    box.showPopup();
    EXPECT_GE(box.view()->width(), box.view()->sizeHintForColumn(0));
    box.hidePopup();
}

// Even when a page gave it a narrower size: a cut prompt reads as another word.
TEST_F(ComboBoxTest, ThePromptFitsItsBoxWhole) {
    ComboBox narrow;
    narrow.setEditable(true);
    narrow.setMaximumWidth(60);
    narrow.showUnchosenText("Select scanner type");
    narrow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&narrow));
    EXPECT_GE(narrow.lineEdit()->width(), narrow.fontMetrics().horizontalAdvance("Select scanner type") + 4);
}

TEST_F(ComboBoxTest, ChoosingAnItemFiresChange) {
    QSignalSpy changes(&box, &ComboBox::change);
    box.chooseItem(1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(box.itemIndex(), 1);
}

TEST_F(ComboBoxTest, TypingDeselectsAndFiresChangeOnEveryKey) {
    box.chooseItem(1);
    QSignalSpy changes(&box, &ComboBox::change);
    box.lineEdit()->selectAll();
    QTest::keyClicks(box.lineEdit(), "Dea");
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(box.itemIndex(), -1);
    EXPECT_EQ(box.currentText(), "Dea");
    EXPECT_EQ(box.count(), 2);
}

TEST_F(ComboBoxTest, SelectingByCodeFiresNothing) {
    QSignalSpy changes(&box, &ComboBox::change);
    box.setCurrentIndex(0);
    EXPECT_EQ(changes.count(), 0);
}

} // namespace
} // namespace kc::widgets
