#include "app/design_file.h"
#include "core/runtime_error.h"
#include "storage/cloak_designs.h"
#include "support/app_fixture.h"
#include "support/choose.h"

#include "support/file_failures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace kc::test {
namespace {

std::string failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const RuntimeError& failure) {
        return failure.what();
    }
    return "<no failure>";
}

class DesignFileTest : public testing::Test {
protected:
    QString path(const QString& name = "Cloaking.dat") const { return folder.filePath(name); }
    void writeFile(const QString& file, const QByteArray& bytes) const {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray readFile(const QString& file) const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    static storage::CloakDesigns oneDesign(const char* name) {
        storage::CloakDesigns designs;
        storage::AddDesign(designs, name);
        return designs;
    }
    static QByteArray bytesOf(const storage::CloakDesigns& designs) {
        const storage::DesignFileImage image = storage::encodeDesigns(designs);
        return {reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())};
    }

    QTemporaryDir folder;
};

TEST_F(DesignFileTest, LivesBesideAWritableProgramElseInTheUsersDataFolder) {
    const QString program = path("program");
    const QString user = path("user");
    QDir().mkpath(program);
    QDir().mkpath(user);
    const QString besideProgram = program + "/Cloaking.dat";
    const QString perUser = user + "/Cloaking.dat";
    using Location = app::DesignFileLocation;
    const auto locate = [&](bool writable) { return app::locateDesignFile({}, program, writable, user); };
    const auto expect = [](const Location& got, const Location& wanted, const char* reason) {
        EXPECT_EQ(got.readFrom, wanted.readFrom) << reason;
        EXPECT_EQ(got.writeTo, wanted.writeTo) << reason;
    };

    expect(app::locateDesignFile("/chosen.dat", program, true, user), {"/chosen.dat", "/chosen.dat"},
           "chosen");
    expect(locate(true), {besideProgram, besideProgram}, "portable copy");
    expect(locate(false), {perUser, perUser}, "installed, no file anywhere");
    expect(app::locateDesignFile({}, program, false, {}), {besideProgram, besideProgram},
           "no user data folder");
    writeFile(besideProgram, "x");
    expect(locate(false), {besideProgram, perUser}, "first use reads the file beside the program");
    writeFile(perUser, "x");
    expect(locate(false), {perUser, perUser}, "later runs use the user's own file");
}

TEST_F(DesignFileTest, AFailedSaveLeavesThePreviousFileWhole) {
    const QByteArray previous = bytesOf(oneDesign("Old"));
    writeFile(path(), previous);
    const auto listing = [&] { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); };
    {
        const FileSizeLimit fullAfter100Bytes(100);
        app::DesignFile file({path(), path()});
        storage::CloakDesigns store = oneDesign("New");
        EXPECT_EQ(failureOf([&] { file.save(store); }), message::kDiskFull);
    }
    EXPECT_EQ(readFile(path()), previous);
    EXPECT_EQ(listing(), QStringList{"Cloaking.dat"}) << "no temporary file left behind";

    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        const WithoutPermissionOverride asAUser;
        app::DesignFile file({path(), path()});
        storage::CloakDesigns store = oneDesign("New");
        EXPECT_EQ(failureOf([&] { file.save(store); }), message::kFileAccessDenied);
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readFile(path()), previous);
}

// A file that is not a design file, a short one and a longer one are the player's, not the program's: they
// are never written over or cut, and the designs go to a numbered side file beside them.
TEST_F(DesignFileTest, AFileThatIsNotADesignFileIsNeverWrittenOver) {
    struct Row {
        const char* reason;
        QByteArray content;
        const char* message; // empty: loads without a word
        int designsLoaded;
    };
    QByteArray random(100 * 1024, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + i / 13) % 251);
    const QByteArray designs = bytesOf(oneDesign("Kept"));
    const Row rows[] = {
        {"short", QByteArray(351, '\1'), message::kReadBeyondEnd, 0},
        {"random bytes", random, "is not a cloak design file", 0},
        {"designs with more after them", designs + QByteArray("tail"), "", 1},
    };
    for (const Row& row : rows) {
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
            QFile::remove(path(name));
        writeFile(path(), row.content);
        writeFile(path("Cloaking.dat.kept"), "an older side file");
        app::DesignFile file({path(), path()});
        storage::CloakDesigns store;
        EXPECT_TRUE(failureOf([&] { file.load(store); }).find(row.message) != std::string::npos)
            << row.reason;
        EXPECT_EQ(store.count, row.designsLoaded) << row.reason;
        EXPECT_TRUE(file.save(store).sideFile.isEmpty())
            << row.reason << ": nothing changed, nothing written";

        storage::AddDesign(store, "Fresh");
        EXPECT_EQ(file.save(store).sideFile, path("Cloaking.dat.kept.1")) << row.reason;
        storage::AddDesign(store, "Second");
        EXPECT_TRUE(file.save(store).sideFile.isEmpty()) << row.reason << ": the same side file, said once";
        EXPECT_EQ(readFile(path()), row.content) << row.reason;
        EXPECT_EQ(readFile(path("Cloaking.dat.kept")), "an older side file") << row.reason;
        EXPECT_EQ(readFile(path("Cloaking.dat.kept.1")), bytesOf(store)) << row.reason;
    }
}

// Opening a pipe would wait for a writer for good: neither it nor a folder is ever opened or replaced.
TEST_F(DesignFileTest, APipeOrAFolderIsRefusedAndLeftAsItWas) {
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(path("folder")));
    for (const QString& target : {path("pipe"), path("folder")}) {
        app::DesignFile file({target, target});
        storage::CloakDesigns store;
        const std::string refused =
            "File access denied: '" + target.toStdString() + "' is not a regular file";
        EXPECT_EQ(failureOf([&] { file.load(store); }), refused);
        storage::AddDesign(store, "New");
        EXPECT_EQ(file.save(store).sideFile, target + ".kept") << target.toStdString();
        EXPECT_FALSE(QFileInfo(target).isFile()) << target.toStdString();
    }
}

TEST_F(DesignFileTest, AnUntouchedRunNeverWritesAndALeftoverSaveIsRemoved) {
    const QByteArray previous = bytesOf(oneDesign("Old"));
    writeFile(path(), previous);
    const QDateTime longAgo(QDate(2020, 1, 2), QTime(3, 4));
    {
        QFile old(path());
        ASSERT_TRUE(old.open(QIODevice::ReadOnly) &&
                    old.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    writeFile(path("Cloaking.dat.saving-Ab12Cd"), "half a save");
    writeFile(path("Cloaking.dat.backup"), "the player's own");
    app::DesignFile file({path(), path()});
    storage::CloakDesigns store;
    file.load(store);
    file.save(store);
    EXPECT_EQ(readFile(path()), previous);
    EXPECT_EQ(QFileInfo(path()).lastModified(), longAgo);
    EXPECT_FALSE(QFile::exists(path("Cloaking.dat.saving-Ab12Cd")));
    EXPECT_TRUE(QFile::exists(path("Cloaking.dat.backup")));
}

TEST_F(DesignFileTest, TwoCopiesSavingTheSameFileKeepBothCopiesDesigns) {
    app::DesignFile first({path(), path()});
    app::DesignFile second({path(), path()});
    storage::CloakDesigns firstStore;
    storage::CloakDesigns secondStore;
    first.load(firstStore);
    second.load(secondStore);
    storage::AddDesign(firstStore, "One");
    EXPECT_FALSE(first.save(firstStore).combined);
    storage::AddDesign(secondStore, "Two");
    EXPECT_TRUE(second.save(secondStore).combined);
    EXPECT_EQ(readFile(path()), bytesOf(secondStore));
    EXPECT_EQ(secondStore.count, 2);

    // The first copy changes its design; the second copy's stays.
    firstStore.records.at(0).number = 7;
    EXPECT_TRUE(first.save(firstStore).combined);
    EXPECT_EQ(firstStore.count, 2);
    EXPECT_EQ(firstStore.records.at(0).number, 7);
    // The second copy sees it, having nothing unsaved.
    EXPECT_TRUE(second.takeChangesOnDisk(secondStore));
    EXPECT_EQ(secondStore.records.at(0).number, 7);

    // Both change the same design: the file stays, the second copy's designs go beside it.
    firstStore.records.at(0).number = 8;
    first.save(firstStore);
    secondStore.records.at(0).number = 9;
    EXPECT_EQ(second.save(secondStore).sideFile, path("Cloaking.dat.kept"));
    EXPECT_EQ(readFile(path()), bytesOf(firstStore));
}

// A failed save leaves the designs unsaved, so the next save (at the latest at exit) tries again.
TEST_F(DesignFileTest, ShortWritesAndAFailingFlushToDiskLeaveTheFileAndTheDesignsUnsaved) {
    struct FailingWrite final : app::ReplacingWrite {
        explicit FailingWrite(qint64 bytesTaken, bool flushFails)
            : taken_(bytesTaken), flushFails_(flushFails) {}
        QIODevice& begin(const QString&) override {
            device_.open(QIODevice::WriteOnly);
            return device_;
        }
        void commit() override {
            if (flushFails_)
                raiseSystemInOutError(EIO);
        }
        // Takes at most 100 bytes a call, and fails as a full disk does after `taken_` bytes.
        struct Device final : QIODevice {
            qint64 left = 0;
            qint64 readData(char*, qint64) override { return -1; }
            qint64 writeData(const char*, qint64 size) override {
                const qint64 n = std::min({size, left, qint64{100}});
                left -= n;
                errno = n == 0 ? ENOSPC : 0;
                return n == 0 ? -1 : n;
            }
        } device_;
        qint64 taken_;
        bool flushFails_;
    };
    struct Row {
        qint64 bytesTaken;
        bool flushFails;
        const char* message;
    };
    const std::string flushFailed = failureOf([] { raiseSystemInOutError(EIO); });
    for (const Row& row :
         {Row{1000, false, ""}, Row{300, false, message::kDiskFull}, Row{1000, true, flushFailed.c_str()}}) {
        app::DesignFile file({path(), path()}, app::DesignFile::Access::ReadWrite, [&] {
            auto write = std::make_unique<FailingWrite>(row.bytesTaken, row.flushFails);
            write->device_.left = row.bytesTaken;
            return write;
        });
        storage::CloakDesigns store = oneDesign("New");
        EXPECT_EQ(failureOf([&] { file.save(store); }), *row.message != '\0' ? row.message : "<no failure>");
        EXPECT_EQ(file.hasUnsavedChanges(store), *row.message != '\0') << row.bytesTaken;
    }
}

class DesignFileWindowTest : public WindowTest {};

// Designs are saved as they change; one that could not be saved is tried again at exit.
TEST_F(DesignFileWindowTest, AFailedSaveIsReportedAndTriedAgainAtExit) {
    showWindow();
    ASSERT_TRUE(QFile::setPermissions(dataFolder.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        const WithoutPermissionOverride asAUser;
        dialogs.answers.push_back("Scout");
        chooseFromList(window->pageSelector(), "Cloaking");
        window->findChild<QPushButton*>("btnCloakAdd")->click();
        window.reset();
    }
    QFile::setPermissions(dataFolder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(dialogs.errors, QStringList({"File access denied", "File access denied"}));
    EXPECT_FALSE(QFile::exists(designFile()));
}

TEST_F(DesignFileWindowTest, TheCloakingPageShowsWhatAnotherCopySavedMeanwhile) {
    showWindow();
    chooseFromList(window->pageSelector(), "AR races");
    {
        app::DesignFile other({designFile(), designFile()});
        storage::CloakDesigns store;
        other.load(store);
        storage::AddDesign(store, "Theirs");
        other.save(store);
    }
    chooseFromList(window->pageSelector(), "Cloaking");
    const auto* list = window->findChild<QListWidget*>("lstCloak");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Theirs");
}

} // namespace
} // namespace kc::test
