#include "storage/cloak_designs.h"

#include "core/checked_math.h"
#include "core/runtime_error.h"

#include <algorithm>
#include <limits>

namespace kc::storage {

namespace {

constexpr std::size_t kNameLengthOffset = 7;
constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kEmptyWeightOffset = 16;
constexpr std::size_t kNumberOffset = 18;
constexpr std::size_t kInUseOffset = 20;
constexpr std::size_t kReservedOffset = 21;

// Cloak units per kt of ship that one device gives, in record order, and what "SS PRT" gives every ship.
constexpr std::array<std::int64_t, kDeviceKinds> kUnitsPerDevice = {300, 70, 140, 540, 70, 50, 40};
constexpr std::int64_t kSuperStealthUnits = 300;

// One twenty-fourth as the game holds it, in single precision: slightly above 1/24.
constexpr Single kOneTwentyFourth = 1.0F / 24.0F;

void putWord(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t getWord(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

template <typename Field> Field fitted(std::int64_t value) {
    return static_cast<Field>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<Field>::max()));
}

} // namespace

RecordBytes encodeRecord(const DesignRecord& record) {
    RecordBytes bytes{};
    std::copy(record.devices.begin(), record.devices.end(), bytes.begin());
    bytes[kNameLengthOffset] = record.nameLength;
    std::copy(record.name.begin(), record.name.end(), bytes.begin() + kNameOffset);
    putWord(bytes, kEmptyWeightOffset, record.emptyWeight);
    putWord(bytes, kNumberOffset, record.number);
    bytes[kInUseOffset] = record.inUse;
    bytes[kReservedOffset] = record.reserved;
    return bytes;
}

DesignRecord decodeRecord(std::span<const std::uint8_t, kRecordBytes> bytes) {
    DesignRecord record;
    std::copy_n(bytes.begin(), kDeviceKinds, record.devices.begin());
    record.nameLength = bytes[kNameLengthOffset];
    std::copy_n(bytes.begin() + kNameOffset, kNameBytes, record.name.begin());
    record.emptyWeight = getWord(bytes, kEmptyWeightOffset);
    record.number = getWord(bytes, kNumberOffset);
    record.inUse = bytes[kInUseOffset];
    record.reserved = bytes[kReservedOffset];
    return record;
}

void storeDesignValues(DesignRecord& record, const DesignValues& values) {
    for (std::size_t kind = 0; kind < kDeviceKinds; ++kind)
        record.devices.at(kind) = fitted<std::uint8_t>(values.devices.at(kind));
    record.emptyWeight = fitted<std::uint16_t>(values.emptyWeight);
    record.number = fitted<std::uint16_t>(values.number);
}

DesignValues designValues(const DesignRecord& record) {
    DesignValues values;
    std::copy(record.devices.begin(), record.devices.end(), values.devices.begin());
    values.emptyWeight = record.emptyWeight;
    values.number = record.number;
    return values;
}

std::string designName(const DesignRecord& record) {
    return decodeName(record.name, record.nameLength);
}

bool isDesignSlot(const CloakDesigns& designs, int slot) {
    return slot >= 0 && slot < designs.count && slot < kDesignSlots;
}

void AddDesign(CloakDesigns& designs, std::string_view utf8Name) {
    if (designs.count < 0 || designs.count >= kDesignSlots)
        return;
    DesignRecord& record = designs.records.at(static_cast<std::size_t>(designs.count));
    const StoredName name = encodeName(utf8Name);
    record.inUse = 1;
    record.nameLength = name.length;
    std::copy_n(name.bytes.begin(), name.length, record.name.begin());
    designs.origin.at(static_cast<std::size_t>(designs.count)) = -1;
    ++designs.count;
}

void RemoveDesign(CloakDesigns& designs, int slot) {
    if (!isDesignSlot(designs, slot))
        return;
    auto& records = designs.records;
    std::move(records.begin() + slot + 1, records.begin() + designs.count, records.begin() + slot);
    auto& origin = designs.origin;
    std::move(origin.begin() + slot + 1, origin.begin() + designs.count, origin.begin() + slot);
    --designs.count;
    DesignRecord& freed = records.at(static_cast<std::size_t>(designs.count));
    freed.inUse = 0;
    freed.devices.fill(0);
    freed.emptyWeight = 0;
    freed.number = 0;
}

std::optional<std::int64_t> CloakPercent(const CloakDesigns& designs) {
    const std::int64_t shipUnits = designs.superStealth ? kSuperStealthUnits : 0;
    // At most 16 x 308850 x 65535 x 65535 units: well inside 64 bits.
    std::int64_t units = 0;
    std::int64_t weight = 0;
    for (int slot = 0; slot < std::min(designs.count, kDesignSlots); ++slot) {
        const DesignRecord& design = designs.records.at(static_cast<std::size_t>(slot));
        std::int64_t perKt = shipUnits;
        for (std::size_t kind = 0; kind < kDeviceKinds; ++kind)
            perKt += kUnitsPerDevice.at(kind) * design.devices.at(kind);
        const std::int64_t shipsWeight = wideProduct(std::int32_t{design.emptyWeight}, design.number);
        units += perKt * shipsWeight;
        weight += shipsWeight;
    }
    if (weight == 0)
        return 0;
    if (!designs.superStealth)
        weight += designs.freight;
    if (weight < 0)
        return std::nullopt;
    return cloakPercentForUnits(intDiv(units, weight));
}

std::int64_t cloakPercentForUnits(std::int64_t u) {
    const auto stepped = [u](Extended base, std::int64_t from, Extended step) {
        return add(base, multiply(static_cast<Extended>(u - from), step));
    };
    Extended percent = 0;
    if (u <= 100)
        percent = multiply(static_cast<Extended>(u), 0.5L);
    else if (u <= 300)
        percent = stepped(50, 100, 0.125L);
    else if (u <= 612)
        percent = stepped(75, 300, kOneTwentyFourth);
    else if (u <= 1124)
        percent = stepped(88, 612, 0.015625L);
    else if (u <= 1379)
        percent = 96;
    else if (u <= 1612)
        percent = 97;
    else
        percent = 98;
    return truncToInt(toSingle(percent));
}

DesignFileImage encodeDesigns(const CloakDesigns& designs) {
    DesignFileImage image{};
    for (std::size_t slot = 0; slot < kDesignSlots; ++slot) {
        const RecordBytes record = encodeRecord(designs.records.at(slot));
        std::copy(record.begin(), record.end(), image.begin() + slot * kRecordBytes);
    }
    return image;
}

void decodeDesigns(std::span<const std::uint8_t> bytes, CloakDesigns& designs) {
    if (bytes.size() < kDesignFileBytes)
        throw InOutError(message::kReadBeyondEnd);
    int inUse = 0;
    for (std::size_t slot = 0; slot < kDesignSlots; ++slot) {
        const DesignRecord record = decodeRecord(bytes.subspan(slot * kRecordBytes).first<kRecordBytes>());
        designs.records.at(slot) = record;
        if (record.inUse != 0)
            ++inUse;
    }
    designs.count = inUse;
    markSynced(designs);
}

void markSynced(CloakDesigns& designs) {
    for (std::size_t slot = 0; slot < kDesignSlots; ++slot)
        designs.origin.at(slot) = static_cast<std::int8_t>(slot);
}

void LoadCloakDesigns(CloakDesigns& designs, ByteSource& source) {
    DesignFileImage image{};
    std::size_t filled = 0;
    while (filled < image.size()) {
        const std::size_t got = source.read(std::span(image).subspan(filled));
        if (got == 0)
            break;
        filled += got;
    }
    decodeDesigns(std::span(image).first(filled), designs);
}

void SaveCloakDesigns(const CloakDesigns& designs, ByteSink& sink) {
    const DesignFileImage image = encodeDesigns(designs);
    sink.write(image);
}

} // namespace kc::storage
