#include "app/pages/about_page.h"
#include "support/app_fixture.h"
#include "support/file_failures.h"
#include "widgets/auto_drop_box.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <memory>
#include <optional>

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

// A pipe in place of the settings file would hold the program up at start for good: it is never opened.
TEST_F(SettingsTest, APipeInPlaceOfTheSettingsFileIsReportedAndNeverOpened) {
    const QString file = TemporarySettings::fileName();
    QDir().mkpath(QFileInfo(file).absolutePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    showWindow();
    EXPECT_EQ(dialogs.errors, QStringList{"File access denied: '" + file + "' is not a regular file"});
    window->aboutPage()->autoDropBox()->click();
    EXPECT_EQ(dialogs.errors.last(), "Failed to set data for 'autodrop'");
    EXPECT_TRUE(QFileInfo(file).exists() && !QFileInfo(file).isFile()) << "left as it was";
}

// Ways the store can refuse writes, for any user. Where the store can still be read, it holds "largefont" =
// 1 and no "autodrop", so a start has a value to apply and one to write.
enum class Refusal { FolderInPlaceOfFile, FileInPlaceOfFolder, ReadOnlyFolder, ReadOnlyFile, FullDisk };

class RefusedSettingsTest : public WindowTest, public testing::WithParamInterface<Refusal> {
protected:
    void SetUp() override {
        const QString folder = settings.folder();
        const QString file = TemporarySettings::open().fileName();
        switch (GetParam()) {
        case Refusal::FolderInPlaceOfFile:
            QDir().mkpath(file);
            break;
        case Refusal::FileInPlaceOfFolder: {
            QFile blocker(folder + "/Tarvellin");
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
            break;
        }
        case Refusal::ReadOnlyFolder:
        case Refusal::ReadOnlyFile:
            TemporarySettings::store("largefont", 1);
            if (GetParam() == Refusal::ReadOnlyFolder)
                QFile::setPermissions(folder + "/Tarvellin", QFile::ReadOwner | QFile::ExeOwner);
            else
                QFile::setPermissions(file, QFile::ReadOwner);
            asAUser.emplace(); // root too
            break;
        case Refusal::FullDisk:
            TemporarySettings::store("largefont", 1);
            fullDisk.emplace(8);
            break;
        }
        WindowTest::SetUp();
    }
    void TearDown() override {
        window.reset();
        asAUser.reset();
        fullDisk.reset();
        QFile::setPermissions(settings.folder() + "/Tarvellin",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool storeReadable() const {
        return GetParam() != Refusal::FolderInPlaceOfFile && GetParam() != Refusal::FileInPlaceOfFolder;
    }

    std::optional<WithoutPermissionOverride> asAUser;
    std::optional<FileSizeLimit> fullDisk;
};

TEST_P(RefusedSettingsTest, AStartShowsAtMostOneMessageAndAppliesWhatIsStored) {
    showWindow();
    if (storeReadable()) {
        EXPECT_EQ(dialogs.errors, QStringList{"Failed to set data for 'autodrop'"});
        EXPECT_EQ(window->outerHeight(), 381);
    } else if (GetParam() == Refusal::FolderInPlaceOfFile) {
        EXPECT_EQ(dialogs.errors, QStringList{"File access denied: '" + TemporarySettings::fileName() +
                                              "' is not a regular file"});
    } else {
        EXPECT_TRUE(dialogs.errors.isEmpty());
    }
    EXPECT_TRUE(window->pageSelector()->autoDrop());
}

TEST_P(RefusedSettingsTest, EveryClickOnASettingsBoxReportsTheRefusedWrite) {
    showWindow();
    dialogs.errors.clear();
    window->aboutPage()->autoDropBox()->click();
    window->aboutPage()->largeFontsBox()->click();
    EXPECT_EQ(dialogs.errors,
              QStringList({"Failed to set data for 'autodrop'", "Failed to set data for 'largefont'"}));
    EXPECT_FALSE(window->pageSelector()->autoDrop()); // what shows is what works
}

std::string refusalName(const testing::TestParamInfo<Refusal>& info) {
    static const char* const names[] = {"FolderInPlaceOfFile", "FileInPlaceOfFolder", "ReadOnlyFolder",
                                        "ReadOnlyFile", "FullDisk"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Causes, RefusedSettingsTest,
                         testing::Values(Refusal::FolderInPlaceOfFile, Refusal::FileInPlaceOfFolder,
                                         Refusal::ReadOnlyFolder, Refusal::ReadOnlyFile, Refusal::FullDisk),
                         refusalName);

} // namespace
} // namespace kc::test
