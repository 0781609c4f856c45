#include "widgets/auto_drop_box.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using kc::widgets::TAutoDropBox;

class AutoDropBoxTest : public testing::Test {
protected:
    AutoDropBoxTest() {
        box.addItems({"One", "Two", "Three"});
        box.setCurrentIndex(-1);
        window.resize(200, 80);
        box.setGeometry(0, 0, 150, 24);
        neighbour.setGeometry(0, 40, 150, 24);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::mouseMove(&neighbour, QPoint(5, 5));
    }
    ~AutoDropBoxTest() override { box.hidePopup(); }

    // The pointer really moves: over the box, then onto a neighbour in the same window.
    void enter() { QTest::mouseMove(&box, QPoint(5, 5)); }
    void leave() { QTest::mouseMove(&neighbour, QPoint(5, 5)); }

    QWidget window;
    TAutoDropBox box{&window};
    QWidget neighbour{&window};
};

TEST_F(AutoDropBoxTest, IsOffWhenCreatedInCode) {
    EXPECT_FALSE(TAutoDropBox().autoDrop());
}

TEST_F(AutoDropBoxTest, PointerEntryOpensTheListWhenAutoDropIsOn) {
    box.setAutoDrop(true);
    enter();
    EXPECT_TRUE(box.isDroppedDown());
}

TEST_F(AutoDropBoxTest, WithoutAutoDropTheListStaysClosedButTheEventsFire) {
    QSignalSpy entered(&box, &TAutoDropBox::OnMouseEnter);
    QSignalSpy left(&box, &TAutoDropBox::OnMouseLeave);
    enter();
    leave();
    EXPECT_FALSE(box.isDroppedDown());
    ASSERT_EQ(entered.count(), 1);
    EXPECT_EQ(entered.at(0).at(0).value<TAutoDropBox*>(), &box);
    EXPECT_EQ(left.count(), 1);
}

TEST_F(AutoDropBoxTest, TheEntryEventRunsBeforeTheListOpens) {
    box.setAutoDrop(true);
    bool wasOpenAtEntry = true;
    QObject::connect(&box, &TAutoDropBox::OnMouseEnter, [&] { wasOpenAtEntry = box.isDroppedDown(); });
    enter();
    EXPECT_FALSE(wasOpenAtEntry);
    EXPECT_TRUE(box.isDroppedDown());
}

TEST_F(AutoDropBoxTest, LeavingAndComingBackLeavesAnOpenListOpen) {
    box.setAutoDrop(true);
    enter();
    leave();
    EXPECT_TRUE(box.isDroppedDown());
    enter();
    EXPECT_TRUE(box.isDroppedDown());
}

TEST_F(AutoDropBoxTest, ChoosingFromAnAutoDroppedListFiresTheChoice) {
    box.setAutoDrop(true);
    QSignalSpy chosen(&box, &QComboBox::activated);
    enter();
    QAbstractItemView* list = box.view();
    const QModelIndex two = list->model()->index(1, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(two).center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(box.currentText(), "Two");
}

TEST_F(AutoDropBoxTest, AChoiceMadeWithThePointerStillOverTheBoxDoesNotDropTheListAgain) {
    box.setAutoDrop(true);
    enter();
    ASSERT_TRUE(box.isDroppedDown());
    QTest::keyClick(box.view(), Qt::Key_Down);
    QTest::keyClick(box.view(), Qt::Key_Return);
    QTest::mouseMove(&box, QPoint(6, 6));
    EXPECT_FALSE(box.isDroppedDown());
    leave();
    enter();
    EXPECT_TRUE(box.isDroppedDown());
}

TEST(AutoDropBoxSorting, SortedBoxesOrderCaseInsensitively) {
    TAutoDropBox box;
    box.setSorted(true);
    for (const char* caption :
         {"Scanning", "AR races", "About/Exit", "Attractivness", "Mineral Packets", "Minefields"})
        box.addListItem(QString::fromLatin1(caption));
    QStringList order;
    for (int i = 0; i < box.count(); ++i)
        order << box.itemText(i);
    EXPECT_EQ(order, QStringList({"About/Exit", "AR races", "Attractivness", "Minefields", "Mineral Packets",
                                  "Scanning"}));
}

} // namespace

// Whatever the style: some pop the whole list up over the box.
TEST(AutoDropBoxList, ShowsNoMoreRowsThanMaxVisibleItems) {
    TAutoDropBox box;
    for (int i = 0; i < 22; ++i)
        box.addItem(QString::number(i));
    box.setMaxVisibleItems(15);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.showPopup();
    const int rowHeight = box.view()->sizeHintForRow(0);
    EXPECT_LE(box.view()->viewport()->height(), 15 * rowHeight + 1);
    box.hidePopup();
}
