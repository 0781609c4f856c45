#include "pages/scanning.h"

#include "core/checked_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kc::pages {
namespace {

// Scanner list positions.
enum Scanner { NoScanner = -1, Rhino = 1, Chameleon = 6, Ferret = 7, Elephant = 12, Peerless = 15 };

ScanningOutcome scanning(const ScanningInputs& inputs) {
    rules::ScannerRangeTable table{};
    rules::fillScannerRanges(table);
    return computeScanning(table, inputs);
}

ScanningInputs catalogue(std::int32_t count, Scanner scanner) {
    ScanningInputs inputs;
    inputs.catalogueRows[0] = {count, scanner};
    return inputs;
}

ScanningInputs typed(std::int32_t count, std::int32_t standard, std::int32_t penetrating) {
    ScanningInputs inputs;
    inputs.typedRows[1] = {count, standard, penetrating};
    return inputs;
}

ScanningInputs builtIn(std::int32_t level, ScanningInputs inputs = {}) {
    inputs.builtInScanner = true;
    inputs.electronicsTech = level;
    return inputs;
}

ScanningInputs withoutAdvancedScanners(ScanningInputs inputs) {
    inputs.noAdvancedScanners = true;
    return inputs;
}

struct Row {
    const char* reason;
    ScanningInputs inputs;
    std::int64_t standard;
    std::int64_t penetrating;
};

class ScanningRanges : public testing::TestWithParam<Row> {};

TEST_P(ScanningRanges, MatchTheGame) {
    const Row& row = GetParam();
    const ScanningOutcome outcome = scanning(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    ASSERT_TRUE(outcome.ranges) << row.reason;
    EXPECT_EQ(outcome.ranges->standard, row.standard) << row.reason;
    EXPECT_EQ(outcome.ranges->penetrating, row.penetrating) << row.reason;
}

ScanningInputs chameleonAndFerret() {
    ScanningInputs inputs = catalogue(1, Chameleon);
    inputs.catalogueRows[2] = {1, Ferret};
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ScanningRanges,
    testing::Values(
        Row{"nothing entered", ScanningInputs{}, 0, 0}, Row{"one Rhino", catalogue(1, Rhino), 50, 0},
        Row{"two Rhinos: 50 times the fourth root of 2", catalogue(2, Rhino), 59, 0},
        Row{"no advanced scanners doubles the standard range", withoutAdvancedScanners(catalogue(1, Rhino)),
            100, 0},
        Row{"built-in scanner at level 3", builtIn(3), 60, 30},
        Row{"built-in scanner without advanced scanners", withoutAdvancedScanners(builtIn(3)), 120, 30},
        Row{"Elephant plus the built-in scanner at level 10", builtIn(10, catalogue(1, Elephant)), 314, 203},
        Row{"Chameleon and Ferret in different rows", chameleonAndFerret(), 207, 57},
        Row{"ten Peerless", catalogue(10, Peerless), 889, 0},
        Row{"penetrating ranges are never doubled", withoutAdvancedScanners(catalogue(1, Elephant)), 600,
            200},
        Row{"a count with no scanner chosen adds nothing", catalogue(5, NoScanner), 0, 0},
        Row{"a negative count adds nothing", catalogue(-3, Peerless), 0, 0},
        Row{"typed ranges count like catalogue ones", typed(2, 50, 100), 59, 119},
        Row{"typed standard ranges are doubled too", withoutAdvancedScanners(typed(1, 70, 30)), 140, 30},
        // In single precision adding 1 to 2^24 changes nothing, so the sum stops there: 64, not 100.
        Row{"the sums are single precision", typed(100000000, 1, 0), 64, 0},
        // 3000000000 ly less what the single-precision sum loses.
        Row{"a doubled typed range beyond 32 bits is not wrapped",
            withoutAdvancedScanners(typed(1, 1500000000, 0)), 2999999984, 0}));

TEST(ScanningFailures, ASumBeyondSinglePrecisionOverflowsAndShowsNoRange) {
    const ScanningOutcome outcome = scanning(withoutAdvancedScanners(typed(1, 2147483647, 0)));
    ASSERT_TRUE(outcome.failure);
    EXPECT_STREQ(outcome.failure->what(), "Floating point overflow");
    EXPECT_FALSE(scanningResultText(outcome));
}

// The sums must be what adding one term at a time gives, however the additions are taken.
struct RepeatRow {
    const char* reason;
    Single start;
    Extended term;
    std::int64_t count;
};

class RepeatedAddition : public testing::TestWithParam<RepeatRow> {};

TEST_P(RepeatedAddition, EqualsAddingOneAtATime) {
    const RepeatRow& row = GetParam();
    Single expected = row.start;
    for (std::int64_t i = 0; i < row.count; ++i)
        expected = toSingle(add(expected, row.term));
    EXPECT_EQ(addRepeatedly(row.start, row.term, row.count), expected) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Sums, RepeatedAddition,
    testing::Values(
        RepeatRow{"a negative count", 5, 1, -4}, RepeatRow{"whole terms across many binades", 0, 7, 400000},
        RepeatRow{"a Rhino's fourth power up to where it stops counting", 0, 6250000, 300000},
        RepeatRow{"ones until the sum stops at 2^24", 16777216 - 250000, 1, 400000},
        RepeatRow{"halves rounding to even from an odd sum", 8388609, 0.5L, 10},
        RepeatRow{"one and a half: ties that alternate until the sum is even", 8388607, 1.5L, 300000},
        RepeatRow{"three in steps of two: ties on the coarser grid", 16777217 * 1.0f, 3, 300000},
        RepeatRow{"a quarter past the spacing", 16777216, 2.5L, 300000},
        RepeatRow{"a third: inexact in every format", 1, 1.0L / 3, 300000},
        RepeatRow{"a term just above half the spacing", 8388608, 0.5L + 1e-12L, 300000},
        RepeatRow{"fourth powers of a Peerless without advanced scanners", 0, std::pow(1000.0L, 4), 200000}));

TEST(RepeatedAddition, AHugeCountFinishesAtTheSumsFixedPoint) {
    EXPECT_EQ(addRepeatedly(0, 1, 2147483647), 16777216.0f);
    EXPECT_EQ(addRepeatedly(0, 1.5L, 2147483647), 33554432.0f);
}

} // namespace
} // namespace kc::pages
