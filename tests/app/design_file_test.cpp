#include "app/design_file.h"
#include "core/runtime_error.h"
#include "storage/cloak_designs.h"
#include "support/app_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kc::test {
namespace {

// Root passes every permission check. This lowers the thread's permission override while the object lives,
// so that a read-only folder is read-only for the test whoever runs it.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header_, lowered);
    }
    ~WithoutPermissionOverride() { syscall(SYS_capset, &header_, saved_); }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

// A file that may not grow past `bytes`: the disk is full after that many bytes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

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
        EXPECT_EQ(failureOf([&] { file.save(oneDesign("New")); }), message::kDiskFull);
    }
    EXPECT_EQ(readFile(path()), previous);
    EXPECT_EQ(listing(), QStringList{"Cloaking.dat"}) << "no temporary file left behind";

    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        const WithoutPermissionOverride asAUser;
        app::DesignFile file({path(), path()});
        EXPECT_EQ(failureOf([&] { file.save(oneDesign("New")); }), message::kFileAccessDenied);
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readFile(path()), previous);
}

TEST_F(DesignFileTest, AFileThatFailsToLoadIsNeverOverwritten) {
    struct Row {
        const char* reason;
        QByteArray content;
        bool unreadable;
        const char* message;
    };
    const Row rows[] = {
        {"short", QByteArray(351, '\1'), false, message::kReadBeyondEnd},
        {"unreadable", bytesOf(oneDesign("Secret")), true, message::kFileAccessDenied},
    };
    for (const Row& row : rows) {
        QFile::remove(path("Cloaking.dat.bak"));
        writeFile(path(), row.content);
        if (row.unreadable)
            QFile::setPermissions(path(), {});
        app::DesignFile file({path(), path()});
        storage::CloakDesigns designs;
        {
            const WithoutPermissionOverride asAUser;
            EXPECT_EQ(failureOf([&] { file.load(designs); }), row.message) << row.reason;
        }
        EXPECT_EQ(designs.count, 0) << row.reason;
        file.save(designs);
        EXPECT_FALSE(QFile::exists(path("Cloaking.dat.bak")))
            << row.reason << ": an empty store writes nothing";

        storage::AddDesign(designs, "Fresh");
        file.save(designs);
        QFile::setPermissions(path("Cloaking.dat.bak"), QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(readFile(path("Cloaking.dat.bak")), row.content) << row.reason;
        EXPECT_EQ(readFile(path()), bytesOf(designs)) << row.reason;
    }
}

class DesignFileWindowTest : public WindowTest {};

TEST_F(DesignFileWindowTest, AFailedSaveAtExitIsReportedAndTheWindowStillCloses) {
    ASSERT_TRUE(QFile::setPermissions(dataFolder.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        const WithoutPermissionOverride asAUser;
        window.reset();
    }
    QFile::setPermissions(dataFolder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(dialogs.errors, QStringList{"File access denied"});
    EXPECT_FALSE(QFile::exists(designFile()));
}

} // namespace
} // namespace kc::test
