#pragma once

#include <QString>

namespace kc::storage {
struct CloakDesigns;
}

namespace kc::app {

inline constexpr const char* kDesignFileName = "Cloaking.dat";

// Where the cloak designs are read from at start and written to at exit; the two differ only on the first
// run of an installed copy that finds a file beside the program.
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

// The design file. A user's designs are never lost: the file is replaced atomically (a failed save leaves
// the previous file whole), and a file that failed to load is never overwritten: if there are designs to
// save it is first kept as "Cloaking.dat.bak", and with none nothing is written.
class DesignFile {
public:
    explicit DesignFile(DesignFileLocation location) : location_(std::move(location)) {}

    // Reads the designs over the store; a missing file leaves it as it is. A file that cannot be read in
    // full fails with the runtime's message and leaves the store as it is.
    void load(storage::CloakDesigns& designs);
    void save(const storage::CloakDesigns& designs);

    const DesignFileLocation& location() const { return location_; }

private:
    DesignFileLocation location_;
    bool loadFailed_ = false;
};

} // namespace kc::app
