#pragma once

// The cloak design file, kept safe for the player: saved whenever the designs change, atomically; combined
// with what other copies of the program saved meanwhile; never read from or written over anything but a
// regular file; a file that is not a design file, or that cannot be combined with this copy's designs, is
// left as it is and this copy's designs go to a numbered side file next to it.

#include "storage/cloak_designs.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;

namespace kc::app {

inline constexpr const char* kDesignFileName = "Cloaking.dat";

// Where the cloak designs are read from at start and written to; the two differ only on the first run of an
// installed copy that finds a file beside the program.
struct DesignFileLocation {
    QString readFrom;
    QString writeTo;
};

// The chosen file when there is one (the driver's --designs). Otherwise "Cloaking.dat" in the program's
// folder when the program may write there (a portable copy); otherwise the one in the per-user data folder,
// read on first use from the program's folder if only that one exists.
DesignFileLocation locateDesignFile(const QString& chosenFile, const QString& programFolder,
                                    bool programFolderWritable, const QString& userDataFolder);
// The same for this program's own folders.
DesignFileLocation locateDesignFile(const QString& chosenFile);

// A new file that replaces the one at the path whole, only once all its bytes are safely on the disk. Both
// steps fail with the runtime's file messages; a failed write leaves the old file as it was.
class ReplacingWrite {
public:
    virtual ~ReplacingWrite() = default;
    virtual QIODevice& begin(const QString& path) = 0;
    virtual void commit() = 0;
};
using ReplacingWrites = std::function<std::unique_ptr<ReplacingWrite>()>;
// Writes a temporary file beside the target, flushes it to the disk, then renames it over the target.
std::unique_ptr<ReplacingWrite> replaceThroughTemporaryFile();

// What a save did.
struct DesignSave {
    enum class SideReason { None, KeptFile, CannotCombine };
    // Another copy's designs were combined in: the store now holds what the file holds.
    bool combined = false;
    // Not empty: the file was left as it is and the designs went to this side file, the first time for this
    // reason.
    QString sideFile;
    SideReason why = SideReason::None;
};

class DesignFile {
public:
    enum class Access { ReadWrite, ReadOnly };

    explicit DesignFile(DesignFileLocation location, Access access = Access::ReadWrite,
                        ReplacingWrites writes = replaceThroughTemporaryFile);

    // Reads the designs over the store; a missing file leaves it empty. A file that cannot be read in full,
    // or is not a design file, fails with a message and leaves the store as it was.
    void load(storage::CloakDesigns& designs);
    // Writes the designs when they differ from the file as this copy last read or wrote it; nothing
    // otherwise, and never in read-only access.
    DesignSave save(storage::CloakDesigns& designs);
    // Takes the file again when another copy saved it meanwhile and this copy has nothing unsaved; returns
    // whether the store changed.
    bool takeChangesOnDisk(storage::CloakDesigns& designs);
    bool hasUnsavedChanges(const storage::CloakDesigns& designs) const;

    const DesignFileLocation& location() const { return location_; }

private:
    std::optional<storage::DesignFileImage> readCurrentFile(const QString& path);
    QString nextSideFile() const;
    void write(const QString& path, const storage::DesignFileImage& image);
    void removeLeftoverTemporaryFiles() const;

    DesignFileLocation location_;
    Access access_;
    ReplacingWrites writes_;
    // The file as this copy last read or wrote it (all free slots while there was none).
    storage::DesignFileImage synced_{};
    // The file may not be written over (not a design file, or left after designs could not be combined);
    // saves go to the side file.
    bool keepFileAsItIs_ = false;
    // The file was left after the designs could not be combined with another copy's.
    bool cannotCombine_ = false;
    QString sideFile_;
};

} // namespace kc::app
