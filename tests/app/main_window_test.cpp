#include "app/calculator_page.h"
#include "app/help/help_system.h"
#include "app/page_table.h"
#include "app/pages/about_page.h"
#include "support/app_fixture.h"
#include "support/choose.h"
#include "widgets/auto_drop_box.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace kc::test {
namespace {

using ShellTest = WindowTest;

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

TEST_F(ShellTest, SelectorListsEveryPageButTheFrontInCaseInsensitiveOrder) {
    const QStringList expected = {"About/Exit",         "AR races",
                                  "Attractivness",      "Battle Speed",
                                  "Beam Weapons",       "Bombing",
                                  "Calculator",         "Cloaking",
                                  "Colonist Transport", "Damage repairing",
                                  "Fuel Usage",         "Ground Combat",
                                  "Interception",       "Jammers Vs Battle Computers",
                                  "Minefields",         "Mineral Packets",
                                  "Overgating damage",  "Planet Score",
                                  "Planet Value",       "Resources",
                                  "Scanning",           "Unlock MT Toys"};
    EXPECT_EQ(itemsOf(window->pageSelector()), expected);
    EXPECT_EQ(window->pageSelector()->currentIndex(), -1);
    EXPECT_TRUE(window->pageSelector()->currentText().isEmpty());
    EXPECT_EQ(window->pageSelector()->maxVisibleItems(), 15);
}

TEST_F(ShellTest, TheDroppedSelectorShowsTheLongestCaptionWholeAndTheBoxKeepsItsWidth) {
    showWindow();
    widgets::TAutoDropBox* selector = window->pageSelector();
    selector->showPopup();
    const QAbstractItemView* list = selector->view();
    // The items are drawn in the selector's font.
    const int longest = selector->fontMetrics().horizontalAdvance("Jammers Vs Battle Computers");
    EXPECT_GT(list->viewport()->width(), longest);
    EXPECT_EQ(selector->width(), 153);
    selector->hidePopup();
}

// The page table drives the window: every topic it names opens, and every result a page names exists.
TEST_F(ShellTest, EveryPageOfTheTableHasItsHelpTopicAndItsResultControls) {
    for (int index = 0; index < app::kPageCount; ++index) {
        const app::PageInfo& info = app::kPages.at(index);
        if (*info.helpContext != '\0') {
            EXPECT_TRUE(window->help().showTopic(info.helpContext)) << info.name;
        }
        for (const QString& name : window->page(index)->resultControls())
            EXPECT_NE(window->page(index)->findChild<QWidget*>(name), nullptr)
                << info.name << ": " << name.toStdString();
    }
    window->help().viewerWindow()->close();
}

TEST_F(ShellTest, StartsOnTheFrontPageWithEveryPageNamedInOrder) {
    ASSERT_EQ(window->pageCount(), app::kPageCount);
    for (int index = 0; index < app::kPageCount; ++index)
        EXPECT_EQ(window->page(index)->objectName(), app::kPages.at(index).name);
    EXPECT_EQ(window->activePageIndex(), 0);
    EXPECT_TRUE(window->hiddenItems().has_value());
}

TEST_F(ShellTest, StartUpFillsTheGameTablesAndTheHiddenItemNames) {
    const std::vector<std::string> names = {
        "mega poly shell", "enigma pulsar",  "alien miner",        "jump gate",
        "langston shell",  "genesis device", "multi function pod", "multi contained munition",
        "hush-a-boom",     "mini morph",     "multi cargo pod",    "anti matter torpedo",
    };
    ASSERT_TRUE(window->hiddenItems().has_value());
    EXPECT_EQ(*window->hiddenItems(), names);

    const rules::GameTables& tables = window->gameTables();
    EXPECT_EQ(rules::fuelFactor(tables.FuelTable, 16, 6), 60);
    EXPECT_EQ(rules::scannerRange(tables.ScannerRanges, 12), (rules::ScannerRange{300, 200}));
    EXPECT_EQ(rules::bombRecord(tables.BombTable, 8), rules::makeBombRecord(0.0f, 0, 2000));
    EXPECT_EQ(rules::gravityHundredths(tables.GravLow, tables.GravHigh, 49), 96);
    EXPECT_EQ(rules::gravityHundredths(tables.GravLow, tables.GravHigh, 100), 800);
}

struct HeightRow {
    const char* caption;
    int height;
    int largeFontsHeight;
};

class PageHeights : public ShellTest, public testing::WithParamInterface<HeightRow> {};

TEST_P(PageHeights, FollowThePageTag) {
    showWindow();
    const HeightRow& row = GetParam();
    chooseFromList(window->pageSelector(), row.caption);
    EXPECT_EQ(window->activePage()->windowTitle(), row.caption);
    EXPECT_EQ(window->outerHeight(), row.height);
    EXPECT_EQ(window->frameGeometry().height(), row.height);
    window->aboutPage()->largeFontsBox()->click();
    EXPECT_EQ(window->outerHeight(), row.largeFontsHeight);
    window->aboutPage()->largeFontsBox()->click();
    EXPECT_EQ(window->outerHeight(), row.height);
}

INSTANTIATE_TEST_SUITE_P(Shell, PageHeights,
                         testing::Values(HeightRow{"Unlock MT Toys", 132, 165},
                                         HeightRow{"Calculator", 305, 381}, HeightRow{"AR races", 208, 260},
                                         HeightRow{"Planet Value", 305, 381},
                                         HeightRow{"About/Exit", 245, 306},
                                         HeightRow{"Fuel Usage", 195, 243}));

TEST_F(ShellTest, TheWidthNeverChanges) {
    showWindow();
    const int width = window->width();
    chooseFromList(window->pageSelector(), "Unlock MT Toys");
    window->aboutPage()->largeFontsBox()->click();
    EXPECT_EQ(window->width(), width);
    EXPECT_EQ(width, 394);
}

TEST_F(ShellTest, ChoosingTheShownPageAgainReappliesItsHeight) {
    showWindow();
    chooseFromList(window->pageSelector(), "Scanning");
    window->resize(394, 100);
    chooseFromList(window->pageSelector(), "Scanning");
    EXPECT_EQ(window->frameGeometry().height(), 268);
}

TEST_F(ShellTest, TheInterceptionTimerRunsOnlyWhileItsPageShows) {
    showWindow();
    QTimer* timer = window->interceptionTimer();
    chooseFromList(window->pageSelector(), "Interception");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 25);
    chooseFromList(window->pageSelector(), "Scanning");
    EXPECT_FALSE(timer->isActive());
    chooseFromList(window->pageSelector(), "Interception");
    EXPECT_TRUE(timer->isActive());
}

TEST_F(ShellTest, StayOnTopFollowsTheToggleAndKeepsTheWindowWhereItWas) {
    showWindow();
    const QPoint position = window->pos();
    const QWindow* native = window->windowHandle();
    auto* toggle = window->findChild<QToolButton*>("btnOnTop");
    for (const bool onTop : {true, false}) {
        toggle->click();
        EXPECT_EQ(window->staysOnTop(), onTop);
        EXPECT_EQ(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        // Neither hidden nor recreated, so nothing flickers.
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowHandle(), native);
        EXPECT_EQ(window->pos(), position);
    }
}

TEST_F(ShellTest, BothExitButtonsCloseTheWindow) {
    for (const char* name : {"btnExit", "btnExit2"}) {
        showWindow();
        window->findChild<QAbstractButton*>(name)->click();
        EXPECT_FALSE(window->isVisible()) << name;
    }
}

TEST_F(ShellTest, ShutdownFreesTheHiddenItems) {
    window.reset();
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

struct HelpRow {
    const char* caption;      // empty: the front page
    const char* expectedPage; // empty: the finder
};

class HelpKey : public ShellTest, public testing::WithParamInterface<HelpRow> {};

TEST_P(HelpKey, F1OpensThePageTopicOrTheFinder) {
    showWindow();
    const HelpRow& row = GetParam();
    if (*row.caption != '\0')
        chooseFromList(window->pageSelector(), row.caption);
    QTest::keyClick(window->pageSelector(), Qt::Key_F1);
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    ASSERT_NE(window->help().viewerWindow(), nullptr);
    EXPECT_TRUE(window->help().viewerWindow()->isVisible());
    const QString shown = window->help().currentUrl().fileName();
    if (*row.expectedPage != '\0')
        EXPECT_EQ(shown, row.expectedPage);
    else
        EXPECT_FALSE(window->help().contentTitles().isEmpty());
    window->help().viewerWindow()->close();
}

INSTANTIATE_TEST_SUITE_P(Shell, HelpKey,
                         testing::Values(HelpRow{"Scanning", "scanning.html"},
                                         HelpRow{"AR races", "ar_races.html"}, HelpRow{"Planet Score", ""},
                                         HelpRow{"Battle Speed", ""}, HelpRow{"", ""}));

TEST_F(ShellTest, TheHelpButtonOpensTheTopicOfTheShownPage) {
    showWindow();
    chooseFromList(window->pageSelector(), "Cloaking");
    window->findChild<QToolButton*>("btnHelp")->click();
    EXPECT_EQ(window->help().currentUrl().fileName(), "cloaking.html");
    window->help().viewerWindow()->close();
}

} // namespace
} // namespace kc::test
