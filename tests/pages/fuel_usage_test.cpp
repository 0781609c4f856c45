#include "pages/fuel_usage.h"

#include "rules/fuel_table.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

// "Quick Jump 5" at warp 8 and warp 10, "Settler's Delight" at warp 2.
constexpr std::int32_t kQuickJumpWarp8 = 800;
constexpr std::int32_t kQuickJumpWarp10 = 1080;
constexpr std::int32_t kSettlersWarp2 = 0;

struct TripRow {
    const char* reason;
    std::int32_t distance;
    std::int32_t mass;
    std::int32_t speed;
    std::int32_t factor;
    bool trait;
    std::int64_t fuel;
};

class TripFuelValues : public testing::TestWithParam<TripRow> {};

TEST_P(TripFuelValues, MatchTheGame) {
    const TripRow& row = GetParam();
    EXPECT_EQ(TripFuel(row.distance, row.mass, row.speed, row.factor, row.trait), row.fuel) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, TripFuelValues,
    testing::Values(
        TripRow{"one whole year and a partial one", 100, 10, 8, kQuickJumpWarp8, false, 41},
        TripRow{"the trait lowers both charges", 100, 10, 8, kQuickJumpWarp8, true, 35},
        TripRow{"a trip ending on a year boundary has no partial charge", 128, 10, 8, kQuickJumpWarp8, false,
                52},
        TripRow{"an engine burning nothing still costs 1 mg a year", 100, 10, 2, kSettlersWarp2, false, 25},
        TripRow{"an engine burning nothing, partial year", 101, 10, 2, kSettlersWarp2, false, 26},
        TripRow{"distance 0 costs nothing", 0, 100000, 10, kQuickJumpWarp10, false, 0},
        TripRow{"less than a year is charged the rounded-up fraction", 1, 10, 10, kQuickJumpWarp10, false, 1},
        TripRow{"less than a year, heavy ship", 1, 100000, 10, kQuickJumpWarp10, false, 5401},
        TripRow{"a heavy ship at high speed", 2000, 100000, 10, kQuickJumpWarp10, false, 10800020},
        // 10800000.0009 a year is 10800000 in single precision: the whole year is not rounded up.
        TripRow{"the per-year figure is single precision", 100, 2000000, 10, kQuickJumpWarp10, false,
                10800000}));

TEST(FuelPerYear, IsHeldInSinglePrecision) {
    EXPECT_EQ(FuelPerYear(10, 8, kQuickJumpWarp8, false), 25.69f);
    EXPECT_EQ(FuelPerYear(10, 8, kQuickJumpWarp8, true), 21.8365f);
    EXPECT_EQ(FuelPerYear(10, 2, kSettlersWarp2, false), 0.09f);
    EXPECT_EQ(FuelPerYear(100000, 10, kQuickJumpWarp10, false), 540000.0625f);
}

TEST(WholeYears, AreTheDistanceDividedBySpeedSquaredRoundedDown) {
    EXPECT_EQ(WholeYears(100, 8), 1);
    EXPECT_EQ(WholeYears(127, 8), 1);
    // 65536² is 0 at 32 bits; formed at full width it is just a very long year.
    EXPECT_EQ(WholeYears(2000, 65536), 0);
}

// Engine list positions.
enum Engine { SettlersDelight = 0, QuickJump5 = 1, Unlocked = 15, UnlockedTwice = 16 };

FuelUsageOutcome fuelUsage(const FuelUsageInputs& inputs) {
    rules::FuelFactors table{};
    rules::fillFuelTable(table);
    return computeFuelUsage(table, inputs);
}

FuelUsageInputs page(Engine engine, std::int32_t speed = 8) {
    FuelUsageInputs inputs;
    inputs.engine = engine;
    inputs.speed = speed;
    return inputs;
}

FuelUsageInputs noEngine(std::int32_t speed = 8) {
    FuelUsageInputs inputs;
    inputs.speed = speed;
    return inputs;
}

FuelUsageInputs withMassAndDistance(std::int32_t mass, std::int32_t distance) {
    FuelUsageInputs inputs = page(QuickJump5);
    inputs.mass = mass;
    inputs.distance = distance;
    return inputs;
}

struct PageRow {
    const char* reason;
    FuelUsageInputs inputs;
    const char* text;
    std::optional<std::int64_t> fuel;
};

class FuelUsageTexts : public testing::TestWithParam<PageRow> {};

TEST_P(FuelUsageTexts, ShowTheFuelOrWhatIsMissing) {
    const PageRow& row = GetParam();
    const FuelUsageOutcome outcome = fuelUsage(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.text, row.text) << row.reason;
    EXPECT_EQ(outcome.fuel, row.fuel) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Page, FuelUsageTexts,
    testing::Values(
        PageRow{"the page's defaults with Quick Jump 5", page(QuickJump5), "Fuel usage will be 41 Mg", 41},
        PageRow{"the first engine is row E = 1", page(SettlersDelight), "Fuel usage will be 15 Mg", 15},
        PageRow{"the unlocked engine is row E = 16", page(Unlocked), "Fuel usage will be 5 Mg", 5},
        PageRow{"no engine chosen", noEngine(), "Select an engine", std::nullopt},
        PageRow{"no engine and a speed off the table", noEngine(11), "Select an engine", std::nullopt},
        PageRow{"warp 1 has no table entry", page(QuickJump5, 1), "Select a speed from 2 to 10",
                std::nullopt},
        PageRow{"warp 11 has no table entry", page(QuickJump5, 11), "Select a speed from 2 to 10",
                std::nullopt},
        PageRow{"a negative speed has no table entry", page(QuickJump5, -8), "Select a speed from 2 to 10",
                std::nullopt},
        PageRow{"an engine appended twice has no row", page(UnlockedTwice), "No fuel figures for this engine",
                std::nullopt},
        PageRow{"a negative mass", withMassAndDistance(-10, 100), "Enter a mass of 0 or more", std::nullopt},
        PageRow{"a negative distance", withMassAndDistance(10, -100), "Enter a distance of 0 or more",
                std::nullopt},
        PageRow{"a mass below the box's minimum is used as typed", withMassAndDistance(0, 100),
                "Fuel usage will be 2 Mg", 2}));

TEST(FuelUsageFailures, ASpeedOfZeroFailsWhateverElseIsMissing) {
    for (const FuelUsageInputs& inputs : {page(QuickJump5, 0), noEngine(0)}) {
        const FuelUsageOutcome outcome = fuelUsage(inputs);
        ASSERT_TRUE(outcome.failure);
        EXPECT_STREQ(outcome.failure->what(), "Division by zero");
        EXPECT_FALSE(outcome.text);
    }
}

} // namespace
} // namespace kc::pages
