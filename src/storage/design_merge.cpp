#include "storage/design_merge.h"

#include <algorithm>
#include <vector>

namespace kc::storage {

namespace {

bool isDesignRecord(std::span<const std::uint8_t, kRecordBytes> bytes) {
    const DesignRecord record = decodeRecord(bytes);
    return record.inUse <= 1 && (record.inUse == 0 || record.nameLength <= kNameBytes);
}

std::vector<DesignRecord> designsIn(const DesignFileImage& image) {
    CloakDesigns designs;
    decodeDesigns(image, designs);
    return {designs.records.begin(), designs.records.begin() + designs.count};
}

bool same(const DesignRecord& a, const DesignRecord& b) {
    return encodeRecord(a) == encodeRecord(b);
}

} // namespace

DesignFileKind classifyDesignFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kDesignFileBytes)
        return DesignFileKind::TooShort;
    bool freeSlotSeen = false;
    bool designAfterFreeSlot = false;
    for (std::size_t slot = 0; slot < kDesignSlots; ++slot) {
        const auto bytesOfSlot = bytes.subspan(slot * kRecordBytes).first<kRecordBytes>();
        if (!isDesignRecord(bytesOfSlot))
            return DesignFileKind::NotDesignFile;
        const bool inUse = decodeRecord(bytesOfSlot).inUse != 0;
        designAfterFreeSlot = designAfterFreeSlot || (freeSlotSeen && inUse);
        freeSlotSeen = freeSlotSeen || !inUse;
    }
    if (designAfterFreeSlot)
        return DesignFileKind::DesignAfterFreeSlot;
    return bytes.size() == kDesignFileBytes ? DesignFileKind::Designs : DesignFileKind::LongerFile;
}

std::optional<CloakDesigns> combineDesigns(const DesignFileImage& base, const DesignFileImage& theirs,
                                           const CloakDesigns& ours) {
    const std::vector<DesignRecord> before = designsIn(base);
    std::vector<DesignRecord> combined = designsIn(theirs);
    // Which of the other copy's designs is each one this copy started from, unchanged there.
    std::vector<int> stillThere(before.size(), -1);
    std::vector<bool> claimed(combined.size(), false);
    for (std::size_t b = 0; b < before.size(); ++b)
        for (std::size_t t = 0; t < combined.size(); ++t)
            if (!claimed[t] && same(before[b], combined[t])) {
                stillThere[b] = static_cast<int>(t);
                claimed[t] = true;
                break;
            }

    std::vector<bool> drop(combined.size(), false);
    std::vector<bool> keptByUs(before.size(), false);
    std::vector<DesignRecord> added;
    for (int slot = 0; slot < ours.count; ++slot) {
        const DesignRecord& design = ours.records.at(static_cast<std::size_t>(slot));
        const int origin = ours.origin.at(static_cast<std::size_t>(slot));
        if (origin < 0 || origin >= static_cast<int>(before.size())) {
            added.push_back(design);
            continue;
        }
        keptByUs[static_cast<std::size_t>(origin)] = true;
        if (same(design, before[static_cast<std::size_t>(origin)]))
            continue; // unchanged here: whatever the other copy did with it stands
        if (stillThere[static_cast<std::size_t>(origin)] < 0)
            return std::nullopt; // changed here and changed or removed there
        combined[static_cast<std::size_t>(stillThere[static_cast<std::size_t>(origin)])] = design;
    }
    for (std::size_t b = 0; b < before.size(); ++b) {
        if (keptByUs[b])
            continue;
        if (stillThere[b] >= 0) {
            drop[static_cast<std::size_t>(stillThere[b])] = true;
            continue;
        }
        // Removed here and no longer there as it was: removed there too unless a design of its name remains.
        const std::string name = designName(before[b]);
        if (std::any_of(combined.begin(), combined.end(),
                        [&](const DesignRecord& design) { return designName(design) == name; }))
            return std::nullopt;
    }

    std::vector<DesignRecord> result;
    for (std::size_t t = 0; t < combined.size(); ++t)
        if (!drop[t])
            result.push_back(combined[t]);
    result.insert(result.end(), added.begin(), added.end());
    if (result.size() > static_cast<std::size_t>(kDesignSlots))
        return std::nullopt;

    // The free slots keep what the other copy's file holds there, cleared as a removal clears them.
    CloakDesigns merged;
    decodeDesigns(theirs, merged);
    for (std::size_t slot = 0; slot < kDesignSlots; ++slot) {
        DesignRecord& record = merged.records.at(slot);
        if (slot < result.size()) {
            record = result[slot];
        } else if (record.inUse != 0) {
            record.inUse = 0;
            record.devices.fill(0);
            record.emptyWeight = 0;
            record.number = 0;
        }
    }
    merged.count = static_cast<int>(result.size());
    markSynced(merged);
    merged.freight = ours.freight;
    merged.superStealth = ours.superStealth;
    return merged;
}

} // namespace kc::storage
