#include "app/calculator_page.h"
#include "app/page_table.h"
#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kc::test {
namespace {

constexpr const char* kResults[] = {"lblTravelTime", "lblMassLoss",  "lblMassArived",
                                    "lblCaught",     "lblRecovered", "lblHit",
                                    "lblKilled",     "lblDefens",    "lblDefensDestr"};

class MineralPacketsPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        showWindow();
        chooseFromList(window->pageSelector(), "Mineral Packets");
    }

    QString result(const char* name) const { return control<QLabel>(name)->text(); }
    QStringList results() const {
        QStringList texts;
        for (const char* name : kResults)
            texts << result(name);
        return texts;
    }
    QString notice() const { return result("lblPacketNotice"); }
    void findBestWarp() { QTest::mouseClick(control<QPushButton>("btnMinWarp"), Qt::LeftButton); }
};

TEST_F(MineralPacketsPageTest, ResultsStayEmptyUntilAnInputChanges) {
    EXPECT_EQ(results(), QStringList(9, QString()));
    EXPECT_EQ(notice(), "");
}

TEST_F(MineralPacketsPageTest, TypingRecalculatesEveryResultInItsPlace) {
    type("txtMinerals", "1000");
    type("txtMineralsSpeed", "10");
    EXPECT_EQ(results(), QStringList({"2", "438", "562", "275", "371", "287", "17900", "0", "0"}));
}

TEST_F(MineralPacketsPageTest, EveryInputRecalculates) {
    const char* boxes[] = {"txtSrcMassNbr",    "txtSrcMassWarp",   "txtDestMassNbr", "txtDestMassWarp",
                           "txtDestPop",       "txtDestDefensNbr", "txtDestDefens",  "txtDestDistance",
                           "txtMineralsSpeed", "txtMinerals"};
    for (const char* name : boxes) {
        control<QLabel>("lblTravelTime")->clear();
        box(name)->setFocus();
        QTest::keyClick(box(name), Qt::Key_Up);
        EXPECT_FALSE(result("lblTravelTime").isEmpty()) << name;
    }
    for (const char* name : {"chkPackPhys", "chkITSend", "chkPreFPP", "chkITrec"}) {
        control<QLabel>("lblTravelTime")->clear();
        control<QCheckBox>(name)->click();
        EXPECT_FALSE(result("lblTravelTime").isEmpty()) << name;
    }
}

TEST_F(MineralPacketsPageTest, TheWholePopulationKilledReadsAllAreKilled) {
    type("txtMinerals", "1000");
    type("txtMineralsSpeed", "10");
    type("txtDestMassNbr", "0");
    EXPECT_EQ(result("lblKilled"), "All are killed");
    EXPECT_EQ(result("lblHit"), "562");
}

TEST_F(MineralPacketsPageTest, ASpeedOfZeroIsRefusedWithANoticeAndNoFigures) {
    type("txtMinerals", "1000");
    type("txtMineralsSpeed", "0");
    EXPECT_EQ(results(), QStringList(9, QString()));
    EXPECT_EQ(notice(), "Packet speed must be 1 to 255");
    EXPECT_TRUE(dialogs.errors.isEmpty());

    type("txtMineralsSpeed", "10");
    EXPECT_EQ(notice(), "");
    EXPECT_EQ(result("lblKilled"), "17900");
}

TEST_F(MineralPacketsPageTest, AValueBeyondAByteIsRefusedRatherThanWrapped) {
    type("txtSrcMassWarp", "263"); // a byte would hold 7
    EXPECT_EQ(notice(), "Source warp must be 0 to 255");
    EXPECT_EQ(result("lblTravelTime"), "");
}

TEST_F(MineralPacketsPageTest, BestWarpShowsTheResultAndSetsTheSpeed) {
    type("txtMinerals", "1000");
    findBestWarp();
    EXPECT_EQ(
        dialogs.messages,
        QStringList({"Result: In the current conditions, a packet of this size will do most damage when "
                     "flung at warp 10"}));
    EXPECT_EQ(box("txtMineralsSpeed")->text(), "10");
    EXPECT_EQ(result("lblKilled"), "17900");
}

TEST_F(MineralPacketsPageTest, BestWarpBeyondTheSpeedBoxShowsAsItsMaximum) {
    type("txtSrcMassWarp", "13");
    type("txtSrcMassNbr", "2");
    type("txtDestMassNbr", "0");
    type("txtDestPop", "1320000");
    type("txtMinerals", "100");
    findBestWarp();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.first().endsWith("flung at warp 17"));
    EXPECT_EQ(box("txtMineralsSpeed")->text(), "16");
    EXPECT_EQ(result("lblKilled"), "190080"); // worked out at 16, the speed shown
}

TEST_F(MineralPacketsPageTest, BestWarpRecalculatesEvenWhenTheSpeedStaysTheSame) {
    type("txtDestMassWarp", "13");
    type("txtDestMassNbr", "2"); // catches everything: no speed kills, so the lowest, 7, wins
    control<QLabel>("lblTravelTime")->clear();
    findBestWarp();
    EXPECT_TRUE(dialogs.messages.first().endsWith("flung at warp 7"));
    EXPECT_EQ(result("lblTravelTime"), "3");
}

TEST_F(MineralPacketsPageTest, BestWarpOnRefusedInputsShowsOnlyTheNotice) {
    type("txtMineralsSpeed", "9");
    type("txtDestDefens", "300");
    // Clicking with the mouse would take the focus and clamp the coverage first; the driver clicks without.
    control<QPushButton>("btnMinWarp")->click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(notice(), "Coverage must be 0 to 255");
    EXPECT_EQ(box("txtMineralsSpeed")->text(), "9");
}

TEST_F(MineralPacketsPageTest, EachResultCaptionSharesItsHintWithItsValue) {
    const std::pair<const char*, const char*> pairs[] = {
        {"captionTravelTime", "lblTravelTime"},  {"captionMassLoss", "lblMassLoss"},
        {"captionMassArived", "lblMassArived"},  {"captionCaught", "lblCaught"},
        {"captionRecovered", "lblRecovered"},    {"captionHit", "lblHit"},
        {"captionKilled", "lblKilled"},          {"captionDefens", "lblDefens"},
        {"captionDefensDestr", "lblDefensDestr"}};
    for (const auto& [caption, value] : pairs) {
        EXPECT_FALSE(control(caption)->toolTip().isEmpty()) << caption;
        EXPECT_EQ(control(caption)->toolTip(), control(value)->toolTip()) << caption;
    }
    EXPECT_EQ(control("lblTravelTime")->toolTip(),
              "The time it takes for the packet to reach it's destination");
    EXPECT_EQ(control("chkPreFPP")->toolTip(), "PP with 1/3 damage bug before f-patch");
}

struct BoxRow {
    const char* name;
    int minimum;
    int maximum;
    int increment;
    const char* initial;
};

TEST_F(MineralPacketsPageTest, BoxesHaveTheirRangesStepsAndInitialValues) {
    const BoxRow rows[] = {{"txtSrcMassNbr", 1, 2, 1, "1"},
                           {"txtSrcMassWarp", 1, 13, 1, "7"},
                           {"txtDestMassNbr", 0, 2, 1, "1"},
                           {"txtDestMassWarp", 1, 13, 1, "7"},
                           {"txtDestPop", 100, 1320000, 10000, "25000"},
                           {"txtDestDefensNbr", 0, 100000, 1, "0"},
                           {"txtDestDefens", 0, 100, 1, "0"},
                           {"txtDestDistance", 1, 10000, 10, "100"},
                           {"txtMineralsSpeed", 1, 16, 1, "7"},
                           {"txtMinerals", 1, 10000000, 50, "50"}};
    for (const BoxRow& row : rows) {
        const widgets::SpinEdit* spin = box(row.name);
        EXPECT_EQ(spin->minValue(), row.minimum) << row.name;
        EXPECT_EQ(spin->maxValue(), row.maximum) << row.name;
        EXPECT_EQ(spin->increment(), row.increment) << row.name;
        EXPECT_EQ(spin->text(), row.initial) << row.name;
    }
}

// The width and height a control's caption needs and the room it has; zero for controls without one.
QSize captionNeeds(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const int width = label->contentsRect().width();
        if (label->wordWrap())
            return {0, label->heightForWidth(width) - label->height()};
        return {label->fontMetrics().horizontalAdvance(label->text()) - width, 0};
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(widget))
        return {box->sizeHint().width() - box->width(), 0};
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return {button->fontMetrics().horizontalAdvance(button->text()) + 4 - button->width(), 0};
    return {};
}

// As a player sees it with the widest texts showing: inside the page's height, nothing clipped or
// overlapping.
TEST_F(MineralPacketsPageTest, FitsItsPageHeightWithNothingClippedOrOverlapping) {
    type("txtMinerals", "1000");
    type("txtMineralsSpeed", "10");
    type("txtDestMassNbr", "0"); // "All are killed"
    control<QLabel>("lblPacketNotice")->setText("Target drivers must be 0 to 255");
    control<QLabel>("lblRecovered")->setText("10000000");
    QApplication::processEvents();

    const QWidget* page = window->activePage();
    const int height = app::kPages.at(window->activePageIndex()).tag - 57;
    const QList<QWidget*> controls = page->findChildren<QWidget*>();
    for (const QWidget* widget : controls) {
        const std::string name = widget->objectName().toStdString();
        if (name.empty() || name.starts_with("qt_"))
            continue;
        const QRect inPage(widget->mapTo(page, QPoint(0, 0)), widget->size());
        EXPECT_LE(inPage.bottom(), height) << name;
        EXPECT_LE(inPage.right(), page->width() - 1) << name;
        const QSize needs = captionNeeds(widget);
        EXPECT_LE(needs.width(), 0) << name << " clips its caption";
        EXPECT_LE(needs.height(), 0) << name << " clips its wrapped caption";
        for (const QWidget* other : controls) {
            const bool siblings = other != widget && other->parentWidget() == widget->parentWidget() &&
                                  !other->objectName().isEmpty() && !other->objectName().startsWith("qt_");
            EXPECT_FALSE(siblings && widget->geometry().intersects(other->geometry()))
                << name << " overlaps " << other->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace kc::test
