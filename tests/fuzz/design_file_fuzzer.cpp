// libFuzzer target: any bytes as the cloak design file, through the program's own reading and writing of it.
// Never a crash; a file that is taken as a design file reads back into exactly its bytes; a file that is not
// taken is never written: a change goes to the side file beside it and the file keeps its bytes.
#include "app/design_file.h"
#include "core/runtime_error.h"
#include "storage/design_merge.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> folder;

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "design-file finding: %s\n", what);
    std::abort();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = folder->filePath(QStringLiteral("Cloaking.dat"));
    for (const QString& name : QDir(folder->path()).entryList(QDir::Files))
        QFile::remove(folder->filePath(name));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    const std::span<const std::uint8_t> view(data, size);
    const bool designFile = kc::storage::classifyDesignFile(view) == kc::storage::DesignFileKind::Designs;
    if (designFile) {
        kc::storage::CloakDesigns designs;
        kc::storage::decodeDesigns(view, designs);
        const kc::storage::DesignFileImage image = kc::storage::encodeDesigns(designs);
        if (!std::equal(image.begin(), image.end(), view.begin(), view.end()))
            finding("a design file does not read back into its own bytes");
    }

    kc::app::DesignFile file({path, path});
    kc::storage::CloakDesigns designs;
    try {
        file.load(designs);
    } catch (const kc::RuntimeError&) {
    }
    if (file.save(designs).combined || contents(path) != bytes)
        finding("a save of unchanged designs wrote the file");
    // A change as the page makes one: a new design, or with every slot taken the first one removed.
    const kc::storage::DesignFileImage unchanged = kc::storage::encodeDesigns(designs);
    if (designs.count < kc::storage::kDesignSlots)
        kc::storage::AddDesign(designs, "Fuzz");
    else
        kc::storage::RemoveDesign(designs, 0);
    // In a file the program does not write, the slot a new design takes may already hold the same bytes.
    const bool changed = kc::storage::encodeDesigns(designs) != unchanged;
    if (designFile && !changed)
        finding("a new design took the slot of one in a design file");
    kc::app::DesignSave saved;
    try {
        saved = file.save(designs);
    } catch (const kc::RuntimeError&) {
        finding("a save into a writable folder failed");
    }
    if (changed && designFile == !saved.sideFile.isEmpty())
        finding(designFile ? "a design file was left for a side file"
                           : "a file that is not one was written over");
    if (!designFile && contents(path) != bytes)
        finding("a file that is not a design file changed");
    return 0;
}
