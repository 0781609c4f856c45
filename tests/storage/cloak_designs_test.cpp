#include "core/runtime_error.h"
#include "storage/cloak_designs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace kc::storage {
namespace {

using enum Device;

DesignRecord ship(std::initializer_list<std::pair<Device, int>> devices, int emptyWeight, int number) {
    DesignRecord record;
    record.inUse = 1;
    for (const auto& [kind, count] : devices)
        record.device(kind) = static_cast<std::uint8_t>(count);
    record.emptyWeight = static_cast<std::uint16_t>(emptyWeight);
    record.number = static_cast<std::uint16_t>(number);
    return record;
}

CloakDesigns fleet(std::initializer_list<DesignRecord> designs, std::int32_t freight = 0, bool ss = false) {
    CloakDesigns store;
    for (const DesignRecord& design : designs)
        store.records.at(static_cast<std::size_t>(store.count++)) = design;
    store.freight = freight;
    store.superStealth = ss;
    return store;
}

std::string failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const RuntimeError& failure) {
        return failure.what();
    }
    return "<no failure>";
}

TEST(CloakPercent, FollowsTheTableAtEveryBreakpoint) {
    struct Row {
        std::int64_t unitsPerKt;
        std::int64_t percent;
    };
    const Row rows[] = {{0, 0},     {99, 49},   {100, 50},  {101, 50},
                        {150, 56},  {300, 75},  {301, 75},  {324, 76},
                        {348, 77},  {600, 87},  {612, 88},  {613, 88},
                        {1124, 96}, {1125, 96}, {1379, 96}, {1380, 97},
                        {1612, 97}, {1613, 98}, {5000, 98}, {std::numeric_limits<std::int64_t>::max(), 98}};
    for (const Row& row : rows)
        EXPECT_EQ(cloakPercentForUnits(row.unitsPerKt), row.percent) << "u = " << row.unitsPerKt;
}

TEST(CloakPercent, WorksOutTheFleet) {
    const DesignRecord scout = ship({{Transport, 1}}, 100, 1);
    struct Row {
        const char* reason;
        CloakDesigns designs;
        std::optional<std::int64_t> percent;
    };
    const Row rows[] = {
        {"u = 300", fleet({scout}), 75},
        {"freight doubles the weight: u = 150", fleet({scout}, 100), 56},
        {"SS PRT ignores freight and adds 300 units: u = 600", fleet({scout}, 100, true), 87},
        {"no ships: 0 whatever the freight", fleet({ship({{Transport, 1}}, 100, 0)}, 1000), 0},
        {"no ships with SS PRT", fleet({ship({}, 100, 0)}, 0, true), 0},
        {"every device counts: u = 300+70+140+540+70+50+40 = 1210",
         fleet({ship({{Transport, 1},
                      {Stealth, 1},
                      {SuperStealth, 1},
                      {UltraStealth, 1},
                      {ShadowShield, 1},
                      {DepletedNeutronium, 1},
                      {ChameleonScanner, 1}},
                     100, 1)}),
         96},
        {"weights of designs add up: (30000 + 0) / 200", fleet({scout, ship({}, 100, 1)}), 56},
        {"never above 98", fleet({ship({{UltraStealth, 255}}, 65535, 65535)}), 98},
        {"sums pass 32 bits without wrapping", fleet({ship({{Transport, 1}}, 65535, 65535)}), 75},
        {"a negative freight typed in is used as typed", fleet({scout}, -50), 87},
        {"a freight making the weight negative gives no percentage", fleet({scout}, -150), std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CloakPercent(row.designs), row.percent) << row.reason;
    EXPECT_EQ(failureOf([&] { CloakPercent(fleet({scout}, -100)); }), message::kIntegerDivideByZero);
}

TEST(CloakPercent, OnlyTheDesignsInUseCount) {
    CloakDesigns designs = fleet({ship({{Transport, 1}}, 100, 1)});
    designs.records.at(1) = ship({}, 5000, 10); // a slot past count: not part of the fleet
    EXPECT_EQ(CloakPercent(designs), 75);
}

TEST(DesignRecordLayout, IsTheFileRecordByteForByte) {
    DesignRecord record = ship({{Transport, 1},
                                {Stealth, 2},
                                {SuperStealth, 3},
                                {UltraStealth, 4},
                                {ShadowShield, 5},
                                {DepletedNeutronium, 6},
                                {ChameleonScanner, 7}},
                               0x1234, 0xABCD);
    record.nameLength = 3;
    record.name = {'S', 'h', 'i', 'x', 'y', 'z', 'w', 'v'};
    record.reserved = 0x5A;
    const RecordBytes expected = {1,   2,   3,   4,   5,   6,    7,    3,    'S',  'h', 'i',
                                  'x', 'y', 'z', 'w', 'v', 0x34, 0x12, 0xCD, 0xAB, 1,   0x5A};
    EXPECT_EQ(encodeRecord(record), expected);
    EXPECT_EQ(encodeRecord(decodeRecord(expected)), expected);
}

TEST(DesignFile, SixteenRecordsRoundTripByteForByte) {
    DesignFileImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{7}); // every byte different from its neighbours
    CloakDesigns designs;
    decodeDesigns(image, designs);
    EXPECT_EQ(designs.count, 16) << "every in-use byte is non-zero";
    EXPECT_EQ(encodeDesigns(designs), image);

    for (std::size_t slot = 0; slot < kDesignSlots; ++slot)
        image.at(slot * kRecordBytes + 20) = slot % 3 == 0 ? 1 : 0;
    decodeDesigns(image, designs);
    EXPECT_EQ(designs.count, 6);
    EXPECT_EQ(encodeDesigns(designs), image) << "free slots keep their bytes";
}

TEST(DesignFile, AShortFileFailsAndLeavesTheStoreALongOneIsReadForItsFirst352Bytes) {
    CloakDesigns designs = fleet({ship({{Transport, 1}}, 100, 1)});
    const std::vector<std::uint8_t> shortFile(kDesignFileBytes - 1, 1);
    EXPECT_EQ(failureOf([&] { decodeDesigns(shortFile, designs); }), message::kReadBeyondEnd);
    EXPECT_EQ(designs.count, 1);
    EXPECT_EQ(designs.records.at(0).emptyWeight, 100);

    std::vector<std::uint8_t> longFile(kDesignFileBytes + 50, 0);
    longFile.at(20) = 1;                    // slot 0 in use
    longFile.at(kDesignFileBytes + 20) = 1; // would be a seventeenth record
    decodeDesigns(longFile, designs);
    EXPECT_EQ(designs.count, 1);
    EXPECT_EQ(designs.records.at(0).emptyWeight, 0);
}

// A source that hands out at most `chunk` bytes a read and then ends, and a sink that fails after `room`
// bytes as a full disk does.
class ChunkedSource final : public ByteSource {
public:
    ChunkedSource(std::vector<std::uint8_t> data, std::size_t chunk)
        : data_(std::move(data)), chunk_(chunk) {}
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min({chunk_, buffer.size(), data_.size() - position_});
        std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(position_), n, buffer.begin());
        position_ += n;
        return n;
    }

private:
    std::vector<std::uint8_t> data_;
    std::size_t chunk_;
    std::size_t position_ = 0;
};

class FullDisk final : public ByteSink {
public:
    explicit FullDisk(std::size_t room) : room_(room) {}
    void write(std::span<const std::uint8_t> bytes) override {
        const std::size_t n = std::min(room_, bytes.size());
        written.insert(written.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        room_ -= n;
        if (n < bytes.size())
            raiseInOutError(101);
    }
    std::vector<std::uint8_t> written;

private:
    std::size_t room_;
};

TEST(DesignFile, LoadsAcrossShortReadsAndReportsAFullDisk) {
    const CloakDesigns saved = fleet({ship({{Stealth, 2}}, 300, 4)});
    const DesignFileImage image = encodeDesigns(saved);
    CloakDesigns loaded;
    ChunkedSource source({image.begin(), image.end()}, 5);
    LoadCloakDesigns(loaded, source);
    EXPECT_EQ(encodeDesigns(loaded), image);
    EXPECT_EQ(loaded.count, 1);

    ChunkedSource truncated({image.begin(), image.begin() + 300}, 64);
    CloakDesigns untouched;
    EXPECT_EQ(failureOf([&] { LoadCloakDesigns(untouched, truncated); }), message::kReadBeyondEnd);
    EXPECT_EQ(untouched.count, 0);

    FullDisk disk(100);
    EXPECT_EQ(failureOf([&] { SaveCloakDesigns(saved, disk); }), message::kDiskFull);
    EXPECT_EQ(disk.written.size(), 100U);
}

TEST(Designs, AddingCutsTheNameAndFillsTheNextSlot) {
    CloakDesigns designs;
    designs.records.at(1).nameLength = 8;
    designs.records.at(1).name = {'S', 'c', 'o', 'u', 't', 'i', 'n', 'g'};
    designs.records.at(1).emptyWeight = 250; // left over in a slot never freed
    AddDesign(designs, "Battleship One");
    AddDesign(designs, "Ab");
    EXPECT_EQ(designs.count, 2);
    EXPECT_EQ(designName(designs.records.at(0)), "Battlesh");
    EXPECT_EQ(designName(designs.records.at(1)), "Ab");
    EXPECT_EQ(designs.records.at(1).name,
              (std::array<std::uint8_t, 8>{'A', 'b', 'o', 'u', 't', 'i', 'n', 'g'}));
    EXPECT_EQ(designs.records.at(1).emptyWeight, 250);
    EXPECT_EQ(designs.records.at(1).inUse, 1);

    for (int i = 2; i < kDesignSlots; ++i)
        AddDesign(designs, "x");
    const DesignFileImage full = encodeDesigns(designs);
    AddDesign(designs, "17th");
    EXPECT_EQ(designs.count, 16);
    EXPECT_EQ(encodeDesigns(designs), full);
}

TEST(Designs, NamesAreStoredInWindows1252CutByCharacters) {
    struct Row {
        const char* reason;
        const char* typed;
        std::vector<std::uint8_t> stored;
        const char* shown;
    };
    const Row rows[] = {
        {"empty", "", {}, ""},
        {"Latin-1 letter", "Kr\u00f6te", {'K', 'r', 0xF6, 't', 'e'}, "Kr\u00f6te"},
        {"euro sign lives at 0x80", "\u20acuro", {0x80, 'u', 'r', 'o'}, "\u20acuro"},
        {"eight two-byte characters, not eight bytes",
         "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", std::vector<std::uint8_t>(8, 0xE9),
         "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"},
        {"characters the code page lacks", "\u65e5\u672cX", {'?', '?', 'X'}, "??X"},
        {"a character beyond 16 bits is one character", "\U0001F680Go", {'?', 'G', 'o'}, "?Go"},
        {"malformed UTF-8", "\xC3(ab", {'?', '(', 'a', 'b'}, "?(ab"},
    };
    for (const Row& row : rows) {
        CloakDesigns designs;
        AddDesign(designs, row.typed);
        const DesignRecord& record = designs.records.at(0);
        EXPECT_EQ(std::vector<std::uint8_t>(record.name.begin(), record.name.begin() + record.nameLength),
                  row.stored)
            << row.reason;
        EXPECT_EQ(designName(record), row.shown) << row.reason;
    }
}

TEST(Designs, ANameLengthPastEightReadsEightBytes) {
    DesignRecord record;
    record.nameLength = 200;
    record.name = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    EXPECT_EQ(designName(record), "ABCDEFGH");
}

TEST(Designs, RemovingTheMiddleOfThreeShiftsTheThirdDown) {
    CloakDesigns designs;
    for (const char* name : {"One", "Two", "Three"})
        AddDesign(designs, name);
    DesignRecord& third = designs.records.at(2);
    third.device(Transport) = 3;
    third.emptyWeight = 400;
    third.number = 2;
    third.reserved = 9;

    RemoveDesign(designs, 1);
    EXPECT_EQ(designs.count, 2);
    EXPECT_EQ(designName(designs.records.at(1)), "Three");
    EXPECT_EQ(designs.records.at(1).emptyWeight, 400);
    const DesignRecord& freed = designs.records.at(2);
    EXPECT_EQ(freed.inUse, 0);
    EXPECT_EQ(freed.device(Transport), 0);
    EXPECT_EQ(freed.emptyWeight, 0);
    EXPECT_EQ(freed.number, 0);
    EXPECT_EQ(freed.nameLength, 5) << "a freed slot keeps its name bytes";
    EXPECT_EQ(freed.reserved, 9);

    const DesignFileImage image = encodeDesigns(designs);
    for (std::size_t slot = 0; slot < kDesignSlots; ++slot)
        EXPECT_EQ(image.at(slot * kRecordBytes + 20), slot < 2 ? 1 : 0) << "slot " << slot;

    const DesignFileImage before = encodeDesigns(designs);
    RemoveDesign(designs, 2);
    RemoveDesign(designs, -1);
    EXPECT_EQ(encodeDesigns(designs), before) << "a slot without a design changes nothing";
}

TEST(Designs, ValuesAreFittedIntoTheirFieldsNeverWrapped) {
    DesignRecord record;
    DesignValues values;
    values.devices = {40, 300, -1, 0, 255, 256, 7};
    values.emptyWeight = 5000000;
    values.number = -3;
    storeDesignValues(record, values);
    EXPECT_EQ(record.devices, (std::array<std::uint8_t, kDeviceKinds>{40, 255, 0, 0, 255, 255, 7}));
    EXPECT_EQ(record.emptyWeight, 65535);
    EXPECT_EQ(record.number, 0);
    values.number = 70000;
    storeDesignValues(record, values);
    EXPECT_EQ(designValues(record).number, 65535);
}

} // namespace
} // namespace kc::storage
