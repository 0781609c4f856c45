#include "app/design_file.h"

#include "app/help/help_system.h"
#include "app/regular_file.h"
#include "core/runtime_error.h"
#include "storage/design_merge.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kc::app {

namespace {

// How long a save waits for another copy's save of the same file, and when a lock is taken as abandoned.
constexpr int kLockWaitMs = 5000;
constexpr int kStaleLockMs = 30000;

// Qt reports some refusals (a folder, a file it may not write) without an errno of their own.
[[noreturn]] void failFileOperation(int savedErrno, int fallback) {
    raiseSystemInOutError(savedErrno != 0 ? savedErrno : fallback);
}

// Up to `limit` bytes of a regular file. The file is opened so that it can never block: a pipe or a device
// put in its place is refused once it is known what it is.
std::vector<std::uint8_t> readRegularFile(const QString& path, std::size_t limit) {
    if (!isRegularOrAbsent(path))
        refuseNonRegularFile(path);
    std::vector<std::uint8_t> bytes(limit);
    std::size_t filled = 0;
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        failFileOperation(errno, EACCES);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        refuseNonRegularFile(path); // put there after the check above
    }
    while (filled < limit) {
        const ssize_t got = ::read(descriptor, bytes.data() + filled, limit - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int failure = errno;
            ::close(descriptor);
            failFileOperation(failure, EIO);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(descriptor);
#else
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        failFileOperation(errno, EACCES);
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), static_cast<qint64>(limit));
    if (got < 0)
        failFileOperation(errno, EIO);
    filled = static_cast<std::size_t>(got);
#endif
    bytes.resize(filled);
    return bytes;
}

// The temporary files of saves are named "<file>.saving-XXXXXX", so a leftover one is known for what it is.
const QString kSavingSuffix = QStringLiteral(".saving-");

void syncFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
#else
    Q_UNUSED(folder);
#endif
}

class TemporaryFileWrite final : public ReplacingWrite {
public:
    QIODevice& begin(const QString& path) override {
        // A link keeps pointing at the file it names; the file it names is replaced.
        const QFileInfo given(path);
        target_ = given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath();
        // The per-user data folder does not exist before the first save.
        QDir().mkpath(QFileInfo(target_).absolutePath());
        temporary_ = std::make_unique<QTemporaryFile>(target_ + kSavingSuffix + QStringLiteral("XXXXXX"));
        errno = 0;
        if (!temporary_->open())
            failFileOperation(errno, EACCES);
        const QFileInfo existing(target_);
        temporary_->setPermissions(existing.exists() ? existing.permissions()
                                                     : QFile::ReadOwner | QFile::WriteOwner |
                                                           QFile::ReadGroup | QFile::ReadOther);
        return *temporary_;
    }
    void commit() override {
        errno = 0;
        if (!temporary_->flush())
            failFileOperation(errno, ENOSPC);
#ifdef Q_OS_UNIX
        if (::fsync(temporary_->handle()) != 0)
            failFileOperation(errno, EIO);
#endif
        temporary_->close();
        std::error_code failure;
        std::filesystem::rename(QFile::encodeName(temporary_->fileName()).toStdString(),
                                QFile::encodeName(target_).toStdString(), failure);
        if (failure)
            raiseSystemInOutError(failure.value());
        temporary_->setAutoRemove(false);
        syncFolder(QFileInfo(target_).absolutePath());
    }

private:
    QString target_;
    std::unique_ptr<QTemporaryFile> temporary_;
};

void writeAll(QIODevice& device, const storage::DesignFileImage& image) {
    qint64 written = 0;
    const auto size = static_cast<qint64>(image.size());
    while (written < size) {
        errno = 0;
        const qint64 n = device.write(reinterpret_cast<const char*>(image.data()) + written, size - written);
        if (n <= 0) {
            const auto* file = qobject_cast<const QFileDevice*>(&device);
            failFileOperation(errno,
                              file != nullptr && file->error() == QFileDevice::ResourceError ? ENOSPC : EIO);
        }
        written += n;
    }
}

storage::DesignFileImage imageOf(const std::vector<std::uint8_t>& bytes) {
    storage::DesignFileImage image{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    return image;
}

[[noreturn]] void refuseNonDesignFile(const QString& path) {
    throw InOutError(
        QStringLiteral("'%1' is not a cloak design file; it is left as it is.").arg(path).toStdString());
}

// Saves of the same file by several copies take turns. Without a lock (a folder where none can be made)
// the save still goes ahead: the write itself then tells whether the folder takes files.
class SaveTurn {
public:
    explicit SaveTurn(const QString& path) : lock_(path + QStringLiteral(".lock")) {
        lock_.setStaleLockTime(kStaleLockMs);
        lock_.tryLock(kLockWaitMs);
    }

private:
    QLockFile lock_;
};

} // namespace

std::unique_ptr<ReplacingWrite> replaceThroughTemporaryFile() {
    return std::make_unique<TemporaryFileWrite>();
}

DesignFileLocation locateDesignFile(const QString& chosenFile, const QString& programFolder,
                                    bool programFolderWritable, const QString& userDataFolder) {
    if (!chosenFile.isEmpty())
        return {chosenFile, chosenFile};
    const QString besideProgram = QDir(programFolder).filePath(QString::fromLatin1(kDesignFileName));
    if (programFolderWritable || userDataFolder.isEmpty())
        return {besideProgram, besideProgram};
    const QString perUser = QDir(userDataFolder).filePath(QString::fromLatin1(kDesignFileName));
    const bool firstUse = !QFileInfo::exists(perUser) && QFileInfo::exists(besideProgram);
    return {firstUse ? besideProgram : perUser, perUser};
}

DesignFileLocation locateDesignFile(const QString& chosenFile) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    // Even run by root, an installed program never writes beside itself (e.g. into /usr/bin).
    const bool portableCopy =
        QFileInfo(programFolder).isWritable() && !QFileInfo::exists(installedDataFolder());
    return locateDesignFile(chosenFile, programFolder, portableCopy,
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

DesignFile::DesignFile(DesignFileLocation location, Access access, ReplacingWrites writes)
    : location_(std::move(location)), access_(access), writes_(std::move(writes)),
      synced_(storage::encodeDesigns(storage::CloakDesigns{})) {}

void DesignFile::load(storage::CloakDesigns& designs) {
    if (access_ == Access::ReadWrite)
        removeLeftoverTemporaryFiles();
    if (!QFileInfo::exists(location_.readFrom) && !QFileInfo(location_.readFrom).isSymLink())
        return;
    // Until it has been read as a design file, the file is the player's and is not written over.
    keepFileAsItIs_ = true;
    const std::vector<std::uint8_t> bytes =
        readRegularFile(location_.readFrom, storage::kDesignFileBytes + 1);
    switch (storage::classifyDesignFile(bytes)) {
    case storage::DesignFileKind::TooShort:
        throw InOutError(message::kReadBeyondEnd);
    case storage::DesignFileKind::NotDesignFile:
        refuseNonDesignFile(location_.readFrom);
    case storage::DesignFileKind::LongerFile:
        // Its designs are shown, but a save would cut what follows them.
    case storage::DesignFileKind::DesignAfterFreeSlot:
        // Shown as the page counts them; a new design would take another's slot.
        break;
    case storage::DesignFileKind::Designs:
        keepFileAsItIs_ = false;
        break;
    }
    storage::decodeDesigns(bytes, designs);
    synced_ = imageOf(bytes);
}

bool DesignFile::hasUnsavedChanges(const storage::CloakDesigns& designs) const {
    return storage::encodeDesigns(designs) != synced_;
}

DesignSave DesignFile::save(storage::CloakDesigns& designs) {
    if (access_ == Access::ReadOnly || !hasUnsavedChanges(designs))
        return {};
    if (!keepFileAsItIs_) {
        const SaveTurn turn(location_.writeTo);
        const std::optional<storage::DesignFileImage> onDisk = readCurrentFile(location_.writeTo);
        if (!keepFileAsItIs_) {
            if (!onDisk || *onDisk == synced_) {
                write(location_.writeTo, storage::encodeDesigns(designs));
                storage::markSynced(designs);
                synced_ = storage::encodeDesigns(designs);
                return {};
            }
            if (const std::optional<storage::CloakDesigns> combined =
                    storage::combineDesigns(synced_, *onDisk, designs)) {
                write(location_.writeTo, storage::encodeDesigns(*combined));
                designs.records = combined->records;
                designs.count = combined->count;
                designs.origin = combined->origin;
                synced_ = storage::encodeDesigns(designs);
                return {.combined = true, .sideFile = {}, .why = DesignSave::SideReason::None};
            }
            keepFileAsItIs_ = true;
            cannotCombine_ = true;
        }
    }
    // The file stays as it is; this copy's designs are kept beside it, in one side file for the session.
    const bool firstTime = sideFile_.isEmpty();
    if (firstTime)
        sideFile_ = nextSideFile();
    write(sideFile_, storage::encodeDesigns(designs));
    synced_ = storage::encodeDesigns(designs);
    if (!firstTime)
        return {};
    return {.combined = false,
            .sideFile = sideFile_,
            .why = cannotCombine_ ? DesignSave::SideReason::CannotCombine : DesignSave::SideReason::KeptFile};
}

bool DesignFile::takeChangesOnDisk(storage::CloakDesigns& designs) {
    if (keepFileAsItIs_ || hasUnsavedChanges(designs))
        return false;
    std::optional<storage::DesignFileImage> onDisk;
    try {
        onDisk = readCurrentFile(location_.writeTo);
    } catch (const RuntimeError&) {
        return false; // the next save says what is wrong with the file
    }
    if (!onDisk || *onDisk == synced_)
        return false;
    storage::decodeDesigns(*onDisk, designs);
    synced_ = *onDisk;
    return true;
}

// The file as it is on the disk now; nullopt when there is none. A file that is not a design file is kept
// as it is from now on.
std::optional<storage::DesignFileImage> DesignFile::readCurrentFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = readRegularFile(path, storage::kDesignFileBytes + 1);
    } catch (const RuntimeError&) {
        keepFileAsItIs_ = true;
        throw;
    }
    if (storage::classifyDesignFile(bytes) != storage::DesignFileKind::Designs) {
        keepFileAsItIs_ = true;
        return std::nullopt;
    }
    return imageOf(bytes);
}

// "Cloaking.dat.kept", else the first of "Cloaking.dat.kept.1", ".2", ... that does not exist yet.
QString DesignFile::nextSideFile() const {
    const QString first = location_.writeTo + QStringLiteral(".kept");
    QString candidate = first;
    for (int number = 1; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++number)
        candidate = first + QLatin1Char('.') + QString::number(number);
    return candidate;
}

void DesignFile::write(const QString& path, const storage::DesignFileImage& image) {
    if (!isRegularOrAbsent(path))
        refuseNonRegularFile(path);
    const std::unique_ptr<ReplacingWrite> replacing = writes_();
    writeAll(replacing->begin(path), image);
    replacing->commit();
}

// A save that was killed half-way leaves its temporary file behind. Saves take turns, so while this copy has
// the turn no other copy is half-way through one.
void DesignFile::removeLeftoverTemporaryFiles() const {
    const QFileInfo file(location_.writeTo);
    QLockFile lock(location_.writeTo + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!file.dir().exists() || !lock.tryLock(0))
        return;
    const QRegularExpression temporary(
        QStringLiteral("^%1%2[A-Za-z0-9]{6}$")
            .arg(QRegularExpression::escape(file.fileName()), QRegularExpression::escape(kSavingSuffix)));
    for (const QFileInfo& entry :
         file.dir().entryInfoList({file.fileName() + kSavingSuffix + "*"}, QDir::Files))
        if (temporary.match(entry.fileName()).hasMatch())
            QFile::remove(entry.absoluteFilePath());
}

} // namespace kc::app
