#include "app/pages/about_page.h"
#include "support/app_fixture.h"
#include "widgets/auto_drop_box.h"

#include <QCheckBox>
#include <QFile>

namespace kc::test {
namespace {

using SettingsTest = WindowTest;

TEST_F(SettingsTest, AFirstRunKeepsTheDefaultsAndCreatesNoKey) {
    showWindow();
    EXPECT_TRUE(window->aboutPage()->autoDropBox()->isChecked());
    EXPECT_FALSE(window->aboutPage()->largeFontsBox()->isChecked());
    EXPECT_TRUE(window->pageSelector()->autoDrop());
    EXPECT_FALSE(QFile::exists(TemporarySettings::open().fileName()));
}

TEST_F(SettingsTest, ClickingACheckBoxCreatesTheKeyAndStoresTheState) {
    showWindow();
    window->aboutPage()->autoDropBox()->click();
    EXPECT_FALSE(window->pageSelector()->autoDrop());
    EXPECT_EQ(TemporarySettings::open().value("autodrop").toInt(), 0);
    window->aboutPage()->largeFontsBox()->click();
    EXPECT_EQ(TemporarySettings::open().value("largefont").toInt(), 1);
}

TEST_F(SettingsTest, AStoredLargeFontShowsTheFrontPageTallerFromTheStart) {
    TemporarySettings::store("largefont", 1);
    showWindow();
    EXPECT_TRUE(window->aboutPage()->largeFontsBox()->isChecked());
    EXPECT_EQ(window->outerHeight(), 381);
}

TEST_F(SettingsTest, AStoredAutoDropOfZeroTurnsAutoDropOff) {
    TemporarySettings::store("autodrop", 0);
    showWindow();
    EXPECT_FALSE(window->aboutPage()->autoDropBox()->isChecked());
    EXPECT_FALSE(window->pageSelector()->autoDrop());
    window->pageSelector()->CMMouseEnter();
    EXPECT_FALSE(window->pageSelector()->isDroppedDown());
}

TEST_F(SettingsTest, AnyNonZeroValueMeansOn) {
    TemporarySettings::store("autodrop", 0);
    TemporarySettings::store("largefont", -3);
    showWindow();
    EXPECT_TRUE(window->aboutPage()->largeFontsBox()->isChecked());
}

TEST_F(SettingsTest, AMissingValueUnderAnExistingKeyIsWrittenWithItsDefault) {
    TemporarySettings::store("largefont", 0);
    showWindow();
    EXPECT_EQ(TemporarySettings::open().value("autodrop").toInt(), 1);
    EXPECT_TRUE(window->pageSelector()->autoDrop());
}

TEST_F(SettingsTest, AValueThatIsNotAnIntegerIsReportedAndTheWindowCarriesOn) {
    TemporarySettings::store("autodrop", "yes");
    showWindow();
    EXPECT_EQ(dialogs.errors, QStringList{"Invalid data type for 'autodrop'"});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(SettingsTest, TheSettingsAreReadOnlyOnTheFirstShow) {
    showWindow();
    window->hide();
    TemporarySettings::store("largefont", 1);
    showWindow();
    EXPECT_FALSE(window->aboutPage()->largeFontsBox()->isChecked());
}

} // namespace
} // namespace kc::test
