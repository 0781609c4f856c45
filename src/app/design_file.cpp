#include "app/design_file.h"

#include "app/help/help_system.h"

#include "core/runtime_error.h"
#include "storage/cloak_designs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace kc::app {

namespace {

// Qt reports some refusals (a folder, a file it may not write) without an errno of their own.
[[noreturn]] void failFileOperation(int savedErrno, int fallback) {
    raiseSystemInOutError(savedErrno != 0 ? savedErrno : fallback);
}

class FileSource final : public storage::ByteSource {
public:
    explicit FileSource(QFile& file) : file_(file) {}
    std::size_t read(std::span<std::uint8_t> buffer) override {
        errno = 0;
        const qint64 got =
            file_.read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
        if (got < 0)
            failFileOperation(errno, EIO);
        return static_cast<std::size_t>(got);
    }

private:
    QFile& file_;
};

// Writes into the temporary file of a QSaveFile; nothing replaces the real file until commit.
class SaveFileSink final : public storage::ByteSink {
public:
    explicit SaveFileSink(QSaveFile& file) : file_(file) {}
    void write(std::span<const std::uint8_t> bytes) override {
        qint64 written = 0;
        const auto size = static_cast<qint64>(bytes.size());
        while (written < size) {
            errno = 0;
            const qint64 n =
                file_.write(reinterpret_cast<const char*>(bytes.data()) + written, size - written);
            if (n <= 0)
                failFileOperation(errno, file_.error() == QFileDevice::ResourceError ? ENOSPC : EIO);
            written += n;
        }
    }

private:
    QSaveFile& file_;
};

std::filesystem::path nativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void writeAtomically(const QString& path, const storage::CloakDesigns& designs) {
    // The per-user data folder does not exist before the first save.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failFileOperation(errno, EACCES);
    SaveFileSink sink(file);
    storage::SaveCloakDesigns(designs, sink);
    errno = 0;
    if (!file.commit())
        failFileOperation(errno, file.error() == QFileDevice::ResourceError ? ENOSPC : EIO);
}

// Moves the file aside as "<name>.bak", replacing an older copy there.
void keepAsBackup(const QString& path) {
    std::error_code failure;
    std::filesystem::rename(nativePath(path), nativePath(path + QStringLiteral(".bak")), failure);
    if (failure)
        raiseSystemInOutError(failure.value());
}

} // namespace

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

void DesignFile::load(storage::CloakDesigns& designs) {
    if (!QFileInfo::exists(location_.readFrom))
        return;
    loadFailed_ = true;
    QFile file(location_.readFrom);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        failFileOperation(errno, EACCES);
    FileSource source(file);
    storage::LoadCloakDesigns(designs, source);
    loadFailed_ = false;
}

void DesignFile::save(const storage::CloakDesigns& designs) {
    if (loadFailed_) {
        if (designs.count == 0)
            return;
        if (QFileInfo::exists(location_.writeTo))
            keepAsBackup(location_.writeTo);
    }
    writeAtomically(location_.writeTo, designs);
}

} // namespace kc::app
