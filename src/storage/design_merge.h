#pragma once

// Several copies of the program may keep the same design file. Each one remembers the file as it last read or
// wrote it; when the file changed since, its own changes are combined with what the other copies saved.

#include "storage/cloak_designs.h"

#include <optional>
#include <span>

namespace kc::storage {

enum class DesignFileKind {
    Designs,       // exactly the 352 bytes of sixteen design records
    LongerFile,    // sixteen design records followed by more bytes: read, but never cut by a save
    TooShort,      // fewer than 352 bytes
    NotDesignFile, // records that no copy of the program writes (an in-use byte other than 0 or 1, a name of
                   // more than eight characters)
    // Designs that leave a free slot before another design, which no copy of the program writes: read, but
    // never written, as a new design would take the slot after the count, another design's.
    DesignAfterFreeSlot,
};

DesignFileKind classifyDesignFile(std::span<const std::uint8_t> bytes);

// The file `theirs` as another copy left it, with this copy's changes since `base` (the file as this copy
// last read or wrote it) put on top: the other copy's designs stay, this copy's additions follow them, its
// changes and removals apply to the designs it changed or removed. Nullopt when they cannot be combined
// without dropping a design: more than sixteen, or a design that both copies changed or removed.
std::optional<CloakDesigns> combineDesigns(const DesignFileImage& base, const DesignFileImage& theirs,
                                           const CloakDesigns& ours);

} // namespace kc::storage
