#include "pages/planet_value.h"

#include "rules/gravity.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

struct GravityTables {
    std::string low;
    std::string high;
};

const GravityTables& gravityTables() {
    static const GravityTables tables = [] {
        GravityTables filled;
        rules::fillGravLow(filled.low);
        rules::fillGravHigh(filled.high);
        return filled;
    }();
    return tables;
}

PlanetValueInputs stats(int gravity, std::string temperature, std::string radiation) {
    PlanetValueInputs inputs;
    inputs.gravityPosition = gravity;
    inputs.temperatureText = std::move(temperature);
    inputs.radiationText = std::move(radiation);
    return inputs;
}

struct ValueRow {
    const char* reason;
    PlanetValueInputs inputs;
    const char* text;
};

class PlanetValueResults : public testing::TestWithParam<ValueRow> {};

TEST_P(PlanetValueResults, MatchTheGame) {
    const ValueRow& row = GetParam();
    const PlanetValueOutcome outcome = computePlanetValue(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.resultText, row.text) << row.reason;
}

PlanetValueInputs immune(PlanetValueInputs inputs, bool gravity, bool temperature, bool radiation) {
    inputs.gravityImmune = gravity;
    inputs.temperatureImmune = temperature;
    inputs.radiationImmune = radiation;
    return inputs;
}

PlanetValueInputs inRanges(PlanetValueInputs inputs, HabRange gravity, HabRange temperature,
                           HabRange radiation) {
    inputs.ranges = {gravity, temperature, radiation};
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, PlanetValueResults,
    testing::Values(
        ValueRow{"design inputs: f 0, 1, 0.2857 with k 41", stats(50, "140", "40"),
                 "Planet's Value is : 47%"},
        ValueRow{"all at the centres", stats(50, "0", "50"), "Planet's Value is : 100%"},
        ValueRow{"gravity off centre alone", stats(60, "0", "50"), "Planet's Value is : 87%"},
        ValueRow{"all three in the outer halves: k 33", stats(70, "100", "70"), "Planet's Value is : 39%"},
        ValueRow{"all at the lower ends", stats(15, "-140", "15"), "Planet's Value is : 1%"},
        ValueRow{"all at the upper ends", stats(85, "140", "85"), "Planet's Value is : 1%"},
        ValueRow{"141 degrees still maps to position 85", stats(50, "141", "50"), "Planet's Value is : 59%"},
        ValueRow{"144 degrees maps to position 86", stats(50, "144", "50"), "negative planet"},
        ValueRow{"-137 degrees maps to position 15", stats(50, "-137", "50"), "Planet's Value is : 59%"},
        ValueRow{"-141 degrees maps to position 14", stats(50, "-141", "50"), "negative planet"},
        ValueRow{"86 mR is above the range", stats(50, "0", "86"), "negative planet"},
        ValueRow{"gravity below the range", stats(14, "0", "50"), "negative planet"},
        ValueRow{"a huge temperature is outside, not wrapped", stats(50, "2147483647", "50"),
                 "negative planet"},
        ValueRow{"a huge negative radiation is outside", stats(50, "0", "-2147483648"), "negative planet"},
        ValueRow{"temperatures just below -200 truncate toward zero to position 0",
                 inRanges(stats(50, "-203", "50"), {}, {0, 70}, {}), "Planet's Value is : 59%"},
        ValueRow{"narrowest range: half-width 1", inRanges(stats(50, "0", "51"), {49, 51}, {}, {49, 51}),
                 "Planet's Value is : 59%"},
        ValueRow{"immune temperature ignores an outside stat",
                 immune(stats(50, "200", "50"), false, true, false), "Planet's Value is : 100%"},
        ValueRow{"immune temperature does not read its box", immune(stats(50, "-", "50"), false, true, false),
                 "Planet's Value is : 100%"},
        ValueRow{"immune axes count as centred: k stays 45",
                 immune(stats(85, "140", "85"), false, true, true), "Planet's Value is : 59%"},
        ValueRow{"immune gravity ignores the position", immune(stats(0, "0", "50"), true, false, false),
                 "Planet's Value is : 100%"},
        ValueRow{"all immune", immune(stats(0, "x", "y"), true, true, true), "Planet's Value is : 100%"}));

struct FailureRow {
    const char* reason;
    PlanetValueInputs inputs;
    const char* message;
};

class PlanetValueFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(PlanetValueFailures, LeaveThePanelWithTheConversionMessage) {
    const FailureRow& row = GetParam();
    const PlanetValueOutcome outcome = computePlanetValue(row.inputs);
    ASSERT_TRUE(outcome.failure) << row.reason;
    EXPECT_STREQ(outcome.failure->what(), row.message) << row.reason;
    EXPECT_FALSE(outcome.resultText) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    NotIntegers, PlanetValueFailures,
    testing::Values(
        FailureRow{"empty temperature", stats(50, "", "40"), "'' is not a valid integer value"},
        FailureRow{"a lone minus while typing", stats(50, "-", "40"), "'-' is not a valid integer value"},
        FailureRow{"radiation with a decimal", stats(50, "0", "4.5"), "'4.5' is not a valid integer value"},
        FailureRow{"the temperature is read first", stats(50, "a", "b"), "'a' is not a valid integer value"},
        FailureRow{"an unreadable radiation fails even when the temperature is outside",
                   stats(50, "999", "x"), "'x' is not a valid integer value"},
        FailureRow{"immune radiation still needs the temperature",
                   immune(stats(50, "t", "x"), false, false, true), "'t' is not a valid integer value"}));

struct RangeRow {
    const char* reason;
    bool (*button)(HabRange&);
    HabRange before;
    HabRange after;
    bool changed;
};

class PlanetValueRangeButtons : public testing::TestWithParam<RangeRow> {};

TEST_P(PlanetValueRangeButtons, MoveTheEndsAsTheGameDoes) {
    const RangeRow& row = GetParam();
    HabRange range = row.before;
    EXPECT_EQ(row.button(range), row.changed) << row.reason;
    EXPECT_EQ(range, row.after) << row.reason << ": " << int{range.lo} << ".." << int{range.hi};
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PlanetValueRangeButtons,
    testing::Values(
        RangeRow{"< moves both ends down", shiftRangeDown, {15, 85}, {14, 84}, true},
        RangeRow{"< at the bottom does nothing", shiftRangeDown, {0, 70}, {0, 70}, false},
        RangeRow{"> moves both ends up", shiftRangeUp, {15, 85}, {16, 86}, true},
        RangeRow{"> at the top does nothing", shiftRangeUp, {30, 100}, {30, 100}, false},
        RangeRow{"widen against the bottom", widenRange, {0, 60}, {0, 62}, true},
        RangeRow{"widen against the top", widenRange, {40, 100}, {38, 100}, true},
        RangeRow{"widen with room on both sides", widenRange, {15, 85}, {14, 86}, true},
        RangeRow{"widen reaching both ends at once", widenRange, {1, 99}, {0, 100}, true},
        RangeRow{"widen the whole scale changes nothing", widenRange, {0, 100}, {0, 100}, false},
        RangeRow{"widen an odd width at the bottom stops at 100", widenRange, {0, 99}, {0, 100}, true},
        RangeRow{"widen an odd width at the top stops at 0", widenRange, {1, 100}, {0, 100}, true},
        RangeRow{"narrow", narrowRange, {15, 85}, {16, 84}, true},
        RangeRow{"narrow to half-width 1", narrowRange, {48, 52}, {49, 51}, true},
        RangeRow{"narrow stops at half-width 1", narrowRange, {49, 51}, {49, 51}, false},
        RangeRow{"narrow refuses a width of 3", narrowRange, {10, 13}, {10, 13}, false},
        RangeRow{"narrow refuses a single position", narrowRange, {0, 0}, {0, 0}, false}));

TEST(PlanetValueRangeButtons, EveryButtonKeepsTheEndsOnTheScale) {
    bool (*const buttons[])(HabRange&) = {shiftRangeDown, shiftRangeUp, widenRange, narrowRange};
    HabRange range;
    unsigned seed = 1;
    for (int press = 0; press < 20000; ++press) {
        seed = seed * 1103515245U + 12345U;
        buttons[(seed >> 16) % 4](range);
        ASSERT_LE(range.hi, kHighestPosition);
        ASSERT_GE(range.hi - range.lo, 2) << "press " << press;
        ASSERT_EQ((range.hi - range.lo) % 2, 0) << "press " << press;
    }
}

TEST(PlanetValueDrawing, TheStartRangesShowTheirEndsAndBars) {
    const StatsDrawing drawing = drawStats(HabRanges{}, gravityTables().low, gravityTables().high);
    EXPECT_EQ(drawing.gravity.lowText, "0.22");
    EXPECT_EQ(drawing.gravity.highText, "4.4");
    EXPECT_EQ(drawing.temperature.lowText, "-140");
    EXPECT_EQ(drawing.temperature.highText, "140");
    EXPECT_EQ(drawing.radiation.lowText, "15");
    EXPECT_EQ(drawing.radiation.highText, "85");
    for (const RangeDrawing* axis : {&drawing.gravity, &drawing.temperature, &drawing.radiation})
        EXPECT_EQ(axis->bar, (BarGeometry{134, 140}));
}

struct BarRow {
    HabRange range;
    BarGeometry bar;
};

class PlanetValueBars : public testing::TestWithParam<BarRow> {};

TEST_P(PlanetValueBars, StartAtTheTrackPlusTwoPixelsAPosition) {
    EXPECT_EQ(rangeBar(GetParam().range), GetParam().bar);
}

INSTANTIATE_TEST_SUITE_P(Drawing, PlanetValueBars,
                         testing::Values(BarRow{{0, 100}, {104, 200}}, BarRow{{0, 62}, {104, 124}},
                                         BarRow{{38, 100}, {180, 124}}, BarRow{{49, 51}, {202, 4}}));

TEST(PlanetValueDrawing, EachAxisLabelsItsOwnScale) {
    const StatsDrawing drawing =
        drawStats(HabRanges{{0, 100}, {0, 100}, {0, 100}}, gravityTables().low, gravityTables().high);
    EXPECT_EQ(drawing.gravity.lowText, "0.12");
    EXPECT_EQ(drawing.gravity.highText, "8");
    EXPECT_EQ(drawing.temperature.lowText, "-200");
    EXPECT_EQ(drawing.temperature.highText, "200");
    EXPECT_EQ(drawing.radiation.lowText, "0");
    EXPECT_EQ(drawing.radiation.highText, "100");
}

struct GravityRow {
    int position;
    const char* text;
};

class PlanetValueGravityTexts : public testing::TestWithParam<GravityRow> {};

TEST_P(PlanetValueGravityTexts, AreInGInTheShortestFormOrEmptyWithoutAnEntry) {
    EXPECT_EQ(gravityText(gravityTables().low, gravityTables().high, GetParam().position), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Scale, PlanetValueGravityTexts,
                         testing::Values(GravityRow{0, "0.12"}, GravityRow{1, "0.12"}, GravityRow{15, "0.22"},
                                         GravityRow{49, "0.96"}, GravityRow{50, "1"}, GravityRow{51, "1.04"},
                                         GravityRow{76, "2.24"}, GravityRow{85, "4.4"}, GravityRow{100, "8"},
                                         GravityRow{101, ""}));

} // namespace
} // namespace kc::pages
