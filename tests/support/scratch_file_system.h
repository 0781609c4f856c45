#pragma once

// A small tmpfs mounted over a folder, for I/O failures that hold even for root (a full disk, a read-only
// file system). Mounting needs root; available() is false elsewhere and the test skips.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <unistd.h>

namespace kc::test {

class ScratchFileSystem {
public:
    ScratchFileSystem(const QString& folder, int kilobytes)
        : folder_(QFile::encodeName(folder)),
          mounted_(geteuid() == 0 &&
                   ::mount("tmpfs", folder_.constData(), "tmpfs", 0,
                           QByteArray("size=" + QByteArray::number(kilobytes) + "k").constData()) == 0) {}
    ~ScratchFileSystem() {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool available() const { return mounted_; }

    bool makeReadOnly() {
        return ::mount(nullptr, folder_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    // Writes a filler file until the file system has no room left.
    void fill() {
        QFile filler(QFile::decodeName(folder_) + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

private:
    QByteArray folder_;
    bool mounted_;
};

} // namespace kc::test
