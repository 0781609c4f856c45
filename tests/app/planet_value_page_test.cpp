#include "app/page_table.h"
#include "app/pages/planet_value_page.h"
#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/up_down.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kc::test {
namespace {

constexpr const char* kInitialValue = "Planet's Value is : __%";

class PlanetValuePageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Planet Value");
    }

    QString text(const char* name) const {
        if (auto* edit = window->findChild<QLineEdit*>(name))
            return edit->text();
        return control<QLabel>(name)->text();
    }
    QString value() const { return text("pnlResultValue"); }
    QStringList ends(const char* low, const char* high) const { return {text(low), text(high)}; }
    QRect bar(const char* name) const { return control(name)->geometry(); }
    widgets::UpDown* upDown() const { return control<widgets::UpDown>("spnGravStat"); }

    void press(const char* button, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    void type(const char* name, const QString& typed) {
        auto* edit = control<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
    }
    QColor colourAt(const char* name, QPoint where) const {
        return control(name)->grab().toImage().pixelColor(where);
    }
};

TEST_F(PlanetValuePageTest, StartsWithTheRangesDrawnAndNoValue) {
    EXPECT_EQ(ends("lblGravMin", "lblGravMax"), QStringList({"0.22", "4.4"}));
    EXPECT_EQ(ends("lblTempMin", "lbltempMax"), QStringList({"-140", "140"}));
    EXPECT_EQ(ends("lblRadMin", "lblRadMax"), QStringList({"15", "85"}));
    for (const char* shape : {"shpGrav", "shpTemp", "shpRad"}) {
        EXPECT_EQ(bar(shape).x(), 134) << shape;
        EXPECT_EQ(bar(shape).width(), 140) << shape;
    }
    EXPECT_EQ(text("txtGravStat"), "1.00");
    EXPECT_EQ(upDown()->value(), 50);
    EXPECT_EQ(value(), kInitialValue);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(PlanetValuePageTest, BarsAreColouredOnBlackTracks) {
    struct Row {
        const char* track;
        const char* bar;
        QColor colour;
    };
    for (const Row& row :
         {Row{"Shape1", "shpGrav", QColor(0, 0, 128)}, Row{"Shape4", "shpTemp", QColor(128, 0, 0)},
          Row{"Shape6", "shpRad", QColor(0, 128, 0)}}) {
        EXPECT_EQ(control(row.track)->geometry(), QRect(104, bar(row.bar).y() - 2, 201, 17)) << row.track;
        EXPECT_EQ(colourAt(row.bar, {70, 6}), row.colour) << row.bar;
        EXPECT_EQ(colourAt(row.track, {10, 8}), QColor(Qt::black)) << row.track;
    }
}

TEST_F(PlanetValuePageTest, TypingAStatRecalculates) {
    type("txtTempStat", "0");
    EXPECT_EQ(value(), "Planet's Value is : 87%");
    type("txtRadStat", "50");
    EXPECT_EQ(value(), "Planet's Value is : 100%");
    type("txtRadStat", "86");
    EXPECT_EQ(value(), "negative planet");
}

TEST_F(PlanetValuePageTest, AStatThatIsNotAnIntegerIsReportedAndKeepsTheValue) {
    type("txtTempStat", "140");
    EXPECT_EQ(value(), "Planet's Value is : 47%");
    type("txtTempStat", "");
    EXPECT_EQ(dialogs.errors, QStringList({"'' is not a valid integer value"}));
    QTest::keyClicks(control<QLineEdit>("txtTempStat"), "-");
    EXPECT_EQ(dialogs.errors.last(), "'-' is not a valid integer value");
    EXPECT_EQ(value(), "Planet's Value is : 47%");
}

TEST_F(PlanetValuePageTest, TheUpDownWritesTheGravityAndRecalculates) {
    QTest::mouseClick(upDown()->upButton(), Qt::LeftButton);
    EXPECT_EQ(text("txtGravStat"), "1.04");
    EXPECT_EQ(value(), "Planet's Value is : 46%");
    QTest::mouseClick(upDown()->downButton(), Qt::LeftButton);
    QTest::mouseClick(upDown()->downButton(), Qt::LeftButton);
    EXPECT_EQ(text("txtGravStat"), "0.96");
    upDown()->setValue(100);
    EXPECT_EQ(text("txtGravStat"), "8");
    EXPECT_EQ(value(), "negative planet");
}

TEST_F(PlanetValuePageTest, TheValueFollowsTheUpDownWhenTheGravityTextStaysTheSame) {
    press("btnGravMl", 15); // gravity 0 .. 70
    type("txtTempStat", "0");
    type("txtRadStat", "50");
    upDown()->setValue(1);
    EXPECT_EQ(text("txtGravStat"), "0.12");
    EXPECT_EQ(value(), "Planet's Value is : 60%");
    upDown()->setValue(0);
    EXPECT_EQ(text("txtGravStat"), "0.12");
    EXPECT_EQ(value(), "Planet's Value is : 59%");
}

struct ButtonRow {
    const char* button;
    const char* shape;
    int left;
    int width;
};

class EveryRangeButton : public PlanetValuePageTest, public testing::WithParamInterface<ButtonRow> {};

// Each button acts on its own row only, and recalculates (but the temperature and radiation "<").
TEST_P(EveryRangeButton, MovesItsOwnBarAndRecalculates) {
    const ButtonRow& row = GetParam();
    press(row.button);
    for (const char* shape : {"shpGrav", "shpTemp", "shpRad"}) {
        const bool own = shape == std::string_view(row.shape);
        EXPECT_EQ(bar(shape).x(), own ? row.left : 134) << row.button << " " << shape;
        EXPECT_EQ(bar(shape).width(), own ? row.width : 140) << row.button << " " << shape;
    }
    const bool redrawsOnly =
        row.button == std::string_view("Button2") || row.button == std::string_view("Button3");
    EXPECT_EQ(value() == kInitialValue, redrawsOnly) << row.button;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EveryRangeButton,
    testing::Values(ButtonRow{"btnGravMl", "shpGrav", 132, 140}, ButtonRow{"btnGravMr", "shpGrav", 136, 140},
                    ButtonRow{"btnGravEnlarge", "shpGrav", 132, 144},
                    ButtonRow{"btnGravShrink", "shpGrav", 136, 136},
                    ButtonRow{"Button2", "shpTemp", 132, 140}, ButtonRow{"Button5", "shpTemp", 136, 140},
                    ButtonRow{"Button8", "shpTemp", 132, 144}, ButtonRow{"Button11", "shpTemp", 136, 136},
                    ButtonRow{"Button3", "shpRad", 132, 140}, ButtonRow{"Button6", "shpRad", 136, 140},
                    ButtonRow{"Button9", "shpRad", 132, 144}, ButtonRow{"Button12", "shpRad", 136, 136}));

TEST_F(PlanetValuePageTest, TheLeftButtonsAndTheGravityRightButtonActWhenTheMouseGoesDown) {
    struct Row {
        const char* button;
        const char* shape;
        int left;
    };
    for (const Row& row : {Row{"btnGravMl", "shpGrav", 132}, Row{"btnGravMr", "shpGrav", 134},
                           Row{"Button2", "shpTemp", 132}, Row{"Button3", "shpRad", 132}}) {
        QTest::mousePress(control<QPushButton>(row.button), Qt::LeftButton);
        EXPECT_EQ(bar(row.shape).x(), row.left) << row.button;
        QTest::mouseRelease(control<QPushButton>(row.button), Qt::LeftButton);
        EXPECT_EQ(bar(row.shape).x(), row.left) << row.button;
    }
    for (const Row& row : {Row{"Button5", "shpTemp", 132}, Row{"Button6", "shpRad", 132}}) {
        QTest::mousePress(control<QPushButton>(row.button), Qt::LeftButton);
        EXPECT_EQ(bar(row.shape).x(), row.left) << row.button << " waits for the click";
        QTest::mouseRelease(control<QPushButton>(row.button), Qt::LeftButton);
        EXPECT_EQ(bar(row.shape).x(), row.left + 2) << row.button;
    }
}

TEST_F(PlanetValuePageTest, AfterATemperatureOrRadiationMoveDownThePanelKeepsTheOldValue) {
    type("txtTempStat", "0");
    EXPECT_EQ(value(), "Planet's Value is : 87%");
    press("Button2", 15); // temperature 0 .. 70: 0 degrees is position 50, off centre by 15 of 35
    press("Button3", 15);
    EXPECT_EQ(value(), "Planet's Value is : 87%");
    EXPECT_EQ(bar("shpTemp").x(), 104);
    type("txtTempStat", "0"); // the next recomputation uses the moved ranges
    EXPECT_NE(value(), "Planet's Value is : 87%");
}

TEST_F(PlanetValuePageTest, MovingPastTheEndsOfTheScaleDoesNothingAtAll) {
    press("btnGravMl", 15);
    press("Button5", 15);
    EXPECT_EQ(ends("lblGravMin", "lblGravMax"), QStringList({"0.12", "1.8"}));
    EXPECT_EQ(ends("lblTempMin", "lbltempMax"), QStringList({"-80", "200"}));
    control<QLineEdit>("txtTempStat")->setText("abc"); // any recalculation would now be reported
    ASSERT_EQ(dialogs.errors.size(), 1);
    press("btnGravMl");
    press("Button5");
    EXPECT_EQ(bar("shpGrav").x(), 104);
    EXPECT_EQ(bar("shpTemp").x() + bar("shpTemp").width(), 304);
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(PlanetValuePageTest, WideningTheWholeScaleChangesNothingButRecalculates) {
    press("Button9", 15); // radiation 0 .. 100
    EXPECT_EQ(bar("shpRad"), QRect(104, bar("shpRad").y(), 200, bar("shpRad").height()));
    control<QLineEdit>("txtTempStat")->setText("abc");
    press("Button9");
    EXPECT_EQ(bar("shpRad").width(), 200);
    EXPECT_EQ(dialogs.errors.size(), 2);
}

TEST_F(PlanetValuePageTest, NarrowingStopsAtHalfWidthOneButStillRecalculates) {
    type("txtTempStat", "0");
    type("txtRadStat", "50");
    press("btnGravShrink", 33); // 15 .. 85 down to 48 .. 52
    EXPECT_EQ(bar("shpGrav"), QRect(200, bar("shpGrav").y(), 8, bar("shpGrav").height()));
    press("btnGravShrink"); // 49 .. 51
    EXPECT_EQ(bar("shpGrav").width(), 4);
    EXPECT_EQ(ends("lblGravMin", "lblGravMax"), QStringList({"0.96", "1.04"}));
    upDown()->setValue(51);
    EXPECT_EQ(value(), "Planet's Value is : 59%");
    control<QLineEdit>("txtTempStat")->setText("abc");
    press("btnGravShrink");
    EXPECT_EQ(bar("shpGrav").width(), 4);
    EXPECT_EQ(dialogs.errors.size(), 2); // the refused narrowing still recalculated
    EXPECT_EQ(value(), "Planet's Value is : 59%");
}

TEST_F(PlanetValuePageTest, AnImmuneAxisIsPerfectlyHabitableAndItsRangeShowsDisabled) {
    type("txtTempStat", "200");
    EXPECT_EQ(value(), "negative planet");
    control<QCheckBox>("CheckBox3")->click();
    EXPECT_EQ(value(), "Planet's Value is : 87%");
    for (const char* name : {"shpTemp", "Button2", "Button5", "Button8", "Button11"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    for (const char* name : {"shpGrav", "btnGravMl", "shpRad", "Button3"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
    EXPECT_EQ(colourAt("shpTemp", {70, 6}), QColor(128, 128, 128));
    type("txtTempStat", "-"); // not read while immune
    EXPECT_TRUE(dialogs.errors.isEmpty());

    control<QCheckBox>("CheckBox3")->click();
    EXPECT_TRUE(control("Button2")->isEnabled());
    EXPECT_EQ(dialogs.errors.last(), "'-' is not a valid integer value");
}

TEST_F(PlanetValuePageTest, EveryImmuneBoxGuardsItsOwnAxis) {
    control<QCheckBox>("chkGravImune")->click();
    upDown()->setValue(0);
    EXPECT_EQ(value(), "Planet's Value is : 47%");
    control<QCheckBox>("CheckBox4")->click();
    type("txtRadStat", "999");
    EXPECT_EQ(value(), "Planet's Value is : 59%");
    EXPECT_FALSE(control("btnGravShrink")->isEnabled());
    EXPECT_FALSE(control("Button12")->isEnabled());
}

// The width a control's caption needs and the width it has; both 0 for controls without a caption.
std::pair<int, int> captionFit(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return {label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()};
    if (const auto* box = qobject_cast<const QCheckBox*>(widget))
        return {box->sizeHint().width(), box->width()};
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return {button->fontMetrics().horizontalAdvance(button->text()) + 4, button->width()};
    return {0, 0};
}

// The page as a player sees it: inside its height, nothing clipped or overlapping.
TEST_F(PlanetValuePageTest, FitsItsPageHeightWithNothingClippedOrOverlapping) {
    const QWidget* page = window->activePage();
    const int height = app::kPages.at(window->activePageIndex()).tag - 57;
    QList<const QWidget*> placed;
    for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        placed << child;
    for (const auto* group : page->findChildren<QGroupBox*>())
        for (const QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            placed << child;
    for (const QWidget* widget : placed) {
        const QString name = widget->objectName();
        const QRect inPage(widget->mapTo(page, QPoint(0, 0)), widget->size());
        EXPECT_LE(inPage.bottom(), height) << name.toStdString();
        EXPECT_LE(inPage.right(), 393) << name.toStdString();
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name.toStdString();
        const auto [needed, room] = captionFit(widget);
        EXPECT_LE(needed, room) << name.toStdString() << " clips its caption";
        for (const QWidget* other : placed) {
            const bool barOnTrack = name.startsWith("shp") || other->objectName().startsWith("shp");
            const bool siblings = other != widget && other->parentWidget() == widget->parentWidget();
            EXPECT_FALSE(siblings && !barOnTrack && widget->geometry().intersects(other->geometry()))
                << name.toStdString() << " overlaps " << other->objectName().toStdString();
        }
    }
    const auto [needed, room] = captionFit(control("Panel6"));
    EXPECT_LE(needed, room) << "the remark clips";
}

} // namespace
} // namespace kc::test
