#pragma once

// The cloaking page's design store and its file. Up to sixteen ship designs, each one 22-byte record that is
// kept in memory exactly as the file "Cloaking.dat" holds it (little-endian, byte for byte), so a file
// written by any copy of the program loads in any other. Designs in use fill slots 0 to count - 1 in the
// order they were added; the file holds all sixteen slots, free ones too.

#include "storage/design_name.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kc::storage {

inline constexpr int kDesignSlots = 16;
inline constexpr std::size_t kRecordBytes = 22;
inline constexpr std::size_t kDesignFileBytes = kDesignSlots * kRecordBytes;

// The cloaking devices a ship carries, in record order.
enum class Device {
    Transport,
    Stealth,
    SuperStealth,
    UltraStealth,
    ShadowShield,
    DepletedNeutronium,
    ChameleonScanner
};
inline constexpr std::size_t kDeviceKinds = 7;

struct DesignRecord {
    std::array<std::uint8_t, kDeviceKinds> devices{}; // per ship, offsets 0 to 6
    std::uint8_t nameLength = 0;                      // as read; only the first eight bytes ever count
    std::array<std::uint8_t, kNameBytes> name{};      // bytes past the length are kept as they were
    std::uint16_t emptyWeight = 0;                    // kt
    std::uint16_t number = 0;                         // ships of this design
    std::uint8_t inUse = 0;
    std::uint8_t reserved = 0; // carries no meaning here, written back as read

    bool operator==(const DesignRecord&) const = default;

    std::uint8_t& device(Device kind) { return devices.at(static_cast<std::size_t>(kind)); }
    std::uint8_t device(Device kind) const { return devices.at(static_cast<std::size_t>(kind)); }
};

using RecordBytes = std::array<std::uint8_t, kRecordBytes>;
RecordBytes encodeRecord(const DesignRecord& record);
DesignRecord decodeRecord(std::span<const std::uint8_t, kRecordBytes> bytes);

struct CloakDesigns {
    std::array<DesignRecord, kDesignSlots> records{};
    int count = 0;
    // Where each design stood in the file when this copy last read or wrote it; -1 for one added since. Lets
    // this copy's changes be told from another copy's when both saved the same file.
    std::array<std::int8_t, kDesignSlots> origin{};
    std::int32_t freight = 0;  // the owner's total freight, kt; not saved
    bool superStealth = false; // the owner's race has "SS PRT"; not saved
    // Set while a design's values are put into the boxes, so their change events neither store nor recompute.
    bool loading = false;
};

// The nine design boxes as they read, before they are fitted into the record.
struct DesignValues {
    std::array<std::int64_t, kDeviceKinds> devices{};
    std::int64_t emptyWeight = 0;
    std::int64_t number = 0;
};

// Stores the values into the record; a value a field cannot hold is stored as the nearest one it can (0 to
// 255 for a device count, 0 to 65535 for the weight and the number), never wrapped.
void storeDesignValues(DesignRecord& record, const DesignValues& values);
DesignValues designValues(const DesignRecord& record);

std::string designName(const DesignRecord& record);

// True when slot i holds a design shown on the page (0 <= i < count).
bool isDesignSlot(const CloakDesigns& designs, int slot);

// Puts a new design named after the first eight characters of `utf8Name` into slot count; the slot's other
// fields keep what they hold (0 for a slot never used or freed). The store must have a free slot.
void AddDesign(CloakDesigns& designs, std::string_view utf8Name);
// Closes the gap left by design `slot` and frees the last slot, whose name bytes and reserved byte stay.
// A slot that holds no design changes nothing.
void RemoveDesign(CloakDesigns& designs, int slot);

// The fleet's cloaking in percent, 0 to 98, from its cloak units per kt. Nullopt when a negative freight
// (typed, not yet clamped by its box) makes the fleet's weight negative; "Division by zero" when it cancels
// the weight exactly.
std::optional<std::int64_t> CloakPercent(const CloakDesigns& designs);
// The percentage for u cloak units per kt (u >= 0).
std::int64_t cloakPercentForUnits(std::int64_t unitsPerKt);

// The sixteen slots as the file holds them.
using DesignFileImage = std::array<std::uint8_t, kDesignFileBytes>;
DesignFileImage encodeDesigns(const CloakDesigns& designs);
// Reads the first 352 bytes over the slots and recounts the designs (the records whose in-use byte is not
// 0). Fewer bytes fail with "Read beyond end of file" and leave the store as it was.
void decodeDesigns(std::span<const std::uint8_t> bytes, CloakDesigns& designs);
// Every design now stands where the file has it.
void markSynced(CloakDesigns& designs);

// Where the 352 bytes come from and go to. Both raise the runtime's InOutError on failure.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to buffer.size() bytes; fewer only at the end of the data.
    virtual std::size_t read(std::span<std::uint8_t> buffer) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Writes all of `bytes`.
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
};

void LoadCloakDesigns(CloakDesigns& designs, ByteSource& source);
void SaveCloakDesigns(const CloakDesigns& designs, ByteSink& sink);

} // namespace kc::storage
