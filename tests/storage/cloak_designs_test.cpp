#include "core/runtime_error.h"
#include "storage/cloak_designs.h"

#include <gtest/gtest.h>

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
    const DesignRecord allDevices = ship({{Transport, 1},
                                          {Stealth, 1},
                                          {SuperStealth, 1},
                                          {UltraStealth, 1},
                                          {ShadowShield, 1},
                                          {DepletedNeutronium, 1},
                                          {ChameleonScanner, 1}},
                                         100, 1);
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
        {"every device counts: u = 1210", fleet({allDevices}), 96},
        {"weights of designs add up: u = 30000 / 200", fleet({scout, ship({}, 100, 1)}), 56},
        {"never above 98", fleet({ship({{UltraStealth, 255}}, 65535, 65535)}), 98},
        {"sums pass 32 bits without wrapping", fleet({ship({{Transport, 1}}, 65535, 65535)}), 75},
        {"a negative freight typed in is used as typed", fleet({scout}, -50), 87},
        {"a freight making the weight negative gives no percentage", fleet({scout}, -150), std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CloakPercent(row.designs), row.percent) << row.reason;
    EXPECT_EQ(failureOf([&] { CloakPercent(fleet({scout}, -100)); }), message::kIntegerDivideByZero);
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
}

TEST(DesignFile, SixteenRecordsRoundTripByteForByte) {
    DesignFileImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{7}); // every in-use byte non-zero
    for (std::size_t slot = 0; slot < kDesignSlots; slot += 3)
        image.at(slot * kRecordBytes + 20) = 0;
    CloakDesigns designs;
    decodeDesigns(image, designs);
    EXPECT_EQ(designs.count, 10);
    EXPECT_EQ(encodeDesigns(designs), image) << "free slots and the reserved bytes are kept";
}

TEST(DesignFile, AShortFileFailsAndLeavesTheStoreALongOneIsReadForItsFirst352Bytes) {
    CloakDesigns designs = fleet({ship({{Transport, 1}}, 100, 1)});
    const std::vector<std::uint8_t> shortFile(kDesignFileBytes - 1, 1);
    EXPECT_EQ(failureOf([&] { decodeDesigns(shortFile, designs); }), message::kReadBeyondEnd);
    EXPECT_EQ(designs.records.at(0).emptyWeight, 100);

    std::vector<std::uint8_t> longFile(kDesignFileBytes + 50, 0);
    longFile.at(20) = 1;                    // slot 0 in use
    longFile.at(kDesignFileBytes + 20) = 1; // would be a seventeenth record
    decodeDesigns(longFile, designs);
    EXPECT_EQ(designs.count, 1);
    EXPECT_EQ(designs.records.at(0).emptyWeight, 0);
}

TEST(Designs, AddingCutsTheNameAndKeepsTheSlotsOtherBytes) {
    CloakDesigns designs;
    designs.records.at(1).name = {'S', 'c', 'o', 'u', 't', 'i', 'n', 'g'};
    designs.records.at(1).emptyWeight = 250;
    AddDesign(designs, "Battleship One");
    AddDesign(designs, "Ab");
    EXPECT_EQ(designName(designs.records.at(0)), "Battlesh");
    EXPECT_EQ(designName(designs.records.at(1)), "Ab");
    EXPECT_EQ(designs.records.at(1).name,
              (std::array<std::uint8_t, 8>{'A', 'b', 'o', 'u', 't', 'i', 'n', 'g'}));
    EXPECT_EQ(designs.records.at(1).emptyWeight, 250);
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
        {"euro sign at 0x80, Latin-1 letter", "\u20acr\u00f6", {0x80, 'r', 0xF6}, "\u20acr\u00f6"},
        {"eight two-byte characters, not eight bytes",
         "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", std::vector<std::uint8_t>(8, 0xE9),
         "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"},
        {"characters the code page lacks", "\u65e5\U0001F680X", {'?', '?', 'X'}, "??X"},
        {"malformed UTF-8", "\xC3(", {'?', '('}, "?("},
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
    DesignRecord corrupt;
    corrupt.nameLength = 200;
    corrupt.name = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    EXPECT_EQ(designName(corrupt), "ABCDEFGH") << "never read past the name";
}

TEST(Designs, RemovingTheMiddleOfThreeShiftsTheThirdDown) {
    CloakDesigns designs;
    for (const char* name : {"One", "Two", "Three"})
        AddDesign(designs, name);
    designs.records.at(2).device(Transport) = 3;
    designs.records.at(2).reserved = 9;

    RemoveDesign(designs, 1);
    EXPECT_EQ(designs.count, 2);
    EXPECT_EQ(designName(designs.records.at(1)), "Three");
    EXPECT_EQ(designs.records.at(1).device(Transport), 3);
    DesignRecord freedAsExpected = designs.records.at(1);
    freedAsExpected.inUse = 0;
    freedAsExpected.devices.fill(0);
    EXPECT_EQ(encodeRecord(designs.records.at(2)), encodeRecord(freedAsExpected))
        << "a freed slot keeps its name bytes and reserved byte";

    const DesignFileImage before = encodeDesigns(designs);
    RemoveDesign(designs, 2);
    RemoveDesign(designs, -1);
    EXPECT_EQ(encodeDesigns(designs), before) << "a slot without a design changes nothing";
}

} // namespace
} // namespace kc::storage
