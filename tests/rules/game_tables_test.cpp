#include "rules/game_tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kc::rules {
namespace {

// The tables as the window has them after start-up.
class FilledTables : public testing::Test {
protected:
    FilledTables() { InitArrays(tables, hiddenItems); }

    GameTables tables;
    std::vector<std::string> hiddenItems;
};

struct FuelRow {
    int engine;
    int speed;
    std::optional<std::int32_t> factor;
    const char* reason;
};

TEST_F(FilledTables, FuelFactorsAreReadByEngineNumberAndWarp) {
    const FuelRow rows[] = {
        {1, 7, 140, "Settler's Delight burns nothing below warp 7"},
        {1, 6, 0, "the column before it"},
        {2, 8, 800, "Quick Jump 5 at warp 8, the fuel page's worked engine"},
        {2, 2, 25, "first column of a row"},
        {2, 10, 1080, "last column of a row"},
        {9, 2, 5, "Trans-Star 10, the cheapest engine at warp 2"},
        {14, 9, 70, "Trans-Galactic Mizer Scoop"},
        {15, 9, 0, "Galaxy Scoop burns nothing below warp 10"},
        {15, 10, 60, "Galaxy Scoop at warp 10"},
        {16, 6, 60, "the unlocked engine"},
        {16, 10, 100, "last entry of the table"},
        {0, 8, std::nullopt, "no engine selected (position -1)"},
        {17, 8, std::nullopt, "the unlocked engine appended twice"},
        {2, 1, std::nullopt, "no column below warp 2"},
        {2, 0, std::nullopt, "a speed typed as 0"},
        {2, 11, std::nullopt, "a speed typed above the box's range"},
        {1, 11, std::nullopt, "would land on the next row's warp 2"},
    };
    for (const FuelRow& row : rows)
        EXPECT_EQ(fuelFactor(tables.FuelTable, row.engine, row.speed), row.factor) << row.reason;
}

// A value keyed into the wrong column shows up as a dip: no engine burns less at a higher warp.
TEST_F(FilledTables, NoEngineBurnsLessAtAHigherWarp) {
    for (int engine = 1; engine <= kFuelEngineCount; ++engine)
        for (int speed = kFuelSlowestSpeed; speed < kFuelFastestSpeed; ++speed)
            EXPECT_LE(*fuelFactor(tables.FuelTable, engine, speed),
                      *fuelFactor(tables.FuelTable, engine, speed + 1))
                << "engine " << engine << " warp " << speed;
}

TEST_F(FilledTables, ScannerRangesByListPosition) {
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 0), (ScannerRange{0, 0})) << "Bat";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 5), (ScannerRange{80, 0})) << "Pick-Pocket";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 6), (ScannerRange{160, 45})) << "Chameleon";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 7), (ScannerRange{185, 50})) << "Ferret";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 8), (ScannerRange{220, 100})) << "Dolphin";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 12), (ScannerRange{300, 200})) << "Elephant";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 14), (ScannerRange{220, 120})) << "Robber Barron";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 15), (ScannerRange{500, 0})) << "Peerless";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, -1), std::nullopt) << "no scanner selected";
    EXPECT_EQ(scannerRange(tables.ScannerRanges, 16), std::nullopt);
}

TEST_F(FilledTables, BombRecordsByListPosition) {
    EXPECT_EQ(bombRecord(tables.BombTable, 0), makeBombRecord(0.006f, 2, 300)) << "Lady Finger";
    EXPECT_EQ(bombRecord(tables.BombTable, 3), makeBombRecord(0.017f, 7, 300)) << "M-80";
    EXPECT_EQ(bombRecord(tables.BombTable, 4), makeBombRecord(0.025f, 10, 300)) << "Cherry";
    EXPECT_EQ(bombRecord(tables.BombTable, 5), makeBombRecord(0.002f, 16, 0)) << "LBU-17";
    EXPECT_EQ(bombRecord(tables.BombTable, 7), makeBombRecord(0.004f, 45, 0)) << "LBU-74";
    EXPECT_EQ(bombRecord(tables.BombTable, 8), makeBombRecord(0.0f, 0, 2000)) << "Orbital Colony Module (AR)";
    EXPECT_EQ(bombRecord(tables.BombTable, -1), std::nullopt) << "no bomb type selected";
    EXPECT_EQ(bombRecord(tables.BombTable, 9), std::nullopt) << "the smart bombs are the bombing page's own";
}

TEST_F(FilledTables, KillRatesAreTheSingleNearestTheirDecimal) {
    static_assert(std::is_same_v<decltype(BombRecord::KillRate), Single>);
    EXPECT_EQ(static_cast<Extended>(tables.BombTable[0].KillRate), 0x1.89374cp-8L) << "0.006000000052...";
    EXPECT_EQ(static_cast<Extended>(tables.BombTable[4].KillRate), 0x1.99999ap-6L) << "0.025000000372...";
}

struct GravityRow {
    int position;
    std::optional<std::int32_t> hundredths;
};

TEST_F(FilledTables, GravityScaleReadsBothHalves) {
    const GravityRow rows[] = {
        {0, 12},   {1, 12},   {15, 22},  {48, 92},   {49, 96},           {50, 100},
        {75, 200}, {76, 224}, {85, 440}, {100, 800}, {-1, std::nullopt}, {101, std::nullopt},
    };
    for (const GravityRow& row : rows)
        EXPECT_EQ(gravityHundredths(tables.GravLow, tables.GravHigh, row.position), row.hundredths)
            << "position " << row.position;
}

TEST_F(FilledTables, GravityTextsAreWholeRunsOfThreeDigitGroups) {
    EXPECT_EQ(tables.GravLow.size(), 150u);
    EXPECT_EQ(tables.GravHigh.size(), 153u);
    EXPECT_TRUE(tables.GravLow.starts_with("012012013013014"));
    EXPECT_TRUE(tables.GravHigh.starts_with("100104108112116"));
    EXPECT_TRUE(tables.GravHigh.ends_with("776800"));
}

TEST_F(FilledTables, GravityNeverFallsAlongTheScale) {
    for (int position = 0; position + 1 < kGravityPositionCount; ++position)
        EXPECT_LE(*gravityHundredths(tables.GravLow, tables.GravHigh, position),
                  *gravityHundredths(tables.GravLow, tables.GravHigh, position + 1))
            << "position " << position;
}

TEST(DigitGroups, AGroupCutShortByTheEndOfTheTextIsNoEntry) {
    EXPECT_EQ(digitGroup("0120", 0), 12);
    EXPECT_EQ(digitGroup("0120", 1), std::nullopt);
    EXPECT_EQ(digitGroup("012", -1), std::nullopt);
    EXPECT_EQ(gravityHundredths("", "", 0), std::nullopt) << "tables not yet filled";
}

TEST_F(FilledTables, HiddenItemNamesInUnlockingOrder) {
    const std::vector<std::string> expected = {
        "mega poly shell", "enigma pulsar",  "alien miner",        "jump gate",
        "langston shell",  "genesis device", "multi function pod", "multi contained munition",
        "hush-a-boom",     "mini morph",     "multi cargo pod",    "anti matter torpedo",
    };
    EXPECT_EQ(hiddenItems, expected);
}

TEST(InitArrays, AppendsTheNamesAfterWhatTheListHolds) {
    GameTables tables;
    std::vector<std::string> hiddenItems = {"already there"};
    InitArrays(tables, hiddenItems);
    ASSERT_EQ(hiddenItems.size(), 13u);
    EXPECT_EQ(hiddenItems.front(), "already there");
    EXPECT_EQ(hiddenItems[1], "mega poly shell");
    EXPECT_EQ(hiddenItems.back(), "anti matter torpedo");
}

} // namespace
} // namespace kc::rules
