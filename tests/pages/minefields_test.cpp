#include "pages/minefields.h"

#include <gtest/gtest.h>

#include <limits>

namespace kc::pages {
namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

std::string sweepText(const char* standardHeavy, const char* speedBump) {
    return std::string("This Fleet/Ship is able to sweep\n\r   ") + standardHeavy + " Standard/Heavy\n\r   " +
           speedBump + " Speed Bumb mines a year";
}

struct SweepRow {
    const char* reason;
    MineSweepInputs inputs;
    std::optional<std::string> text;
};

class MineSweepTexts : public testing::TestWithParam<SweepRow> {};

TEST_P(MineSweepTexts, ShowTheSweptMinesOrWhatIsMissing) {
    const SweepRow& row = GetParam();
    EXPECT_EQ(computeMineSweep(row.inputs), row.text) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, MineSweepTexts,
    testing::Values(
        SweepRow{"three Lasers", {0, 3}, sweepText("30", "10")},
        SweepRow{"a gatling weapon sweeps fourfold", {2, 1}, sweepText("208", "69")},
        SweepRow{"no ships", {2, 0}, sweepText("0", "0")},
        SweepRow{"a typed count past 32 bits of mines",
                 {14, kMaxInt},
                 sweepText("7009386623808", "2336462207936")},
        SweepRow{"a negative count divides toward zero", {0, -5}, sweepText("-50", "-16")},
        SweepRow{"the unlocked weapon", {17, 1}, sweepText("1260", "420")},
        SweepRow{"a second unlock of the weapon has no figures", {18, 1}, "No figures for this weapon"},
        SweepRow{"no weapon writes nothing", {-1, 3}, std::nullopt}));

struct FieldRow {
    const char* reason;
    bool spaceDemolition;
    std::int32_t mines;
    std::int32_t planets;
    const char* text;
};

class DecayRateTexts : public testing::TestWithParam<FieldRow> {};

TEST_P(DecayRateTexts, ShowTheYearlyLoss) {
    const FieldRow& row = GetParam();
    EXPECT_EQ(computeDecayRate({row.spaceDemolition, row.mines, row.planets}), row.text) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, DecayRateTexts,
    testing::Values(
        FieldRow{"the page's defaults", false, 300, 0, "The decay rate is : 3mines ( 1 % )"},
        FieldRow{"five planets", false, 300, 5, "The decay rate is : 63mines ( 21 % )"},
        FieldRow{"twelve planets stay below the cap", false, 300, 12,
                 "The decay rate is : 147mines ( 49 % )"},
        FieldRow{"thirteen planets reach the cap", false, 300, 13, "The decay rate is : 150mines ( 50 % )"},
        FieldRow{"Space Demolition, five planets", true, 300, 5, "The decay rate is : 18mines ( 6 % )"},
        FieldRow{"Space Demolition is capped too", true, 300, 50, "The decay rate is : 150mines ( 50 % )"},
        FieldRow{"the loss is truncated", false, 1234, 7, "The decay rate is : 357mines ( 29 % )"},
        FieldRow{"typed mines past 32 bits of product", false, kMaxInt, 13,
                 "The decay rate is : 1073741823mines ( 50 % )"},
        FieldRow{"typed planets far below 0 take the product past 64 bits", false, kMaxInt, kMinInt,
                 "The decay rate is : -184467440629721333mines ( -8589934591 % )"}));

class MaximumDiameterTexts : public testing::TestWithParam<FieldRow> {};

TEST_P(MaximumDiameterTexts, ShowTheFieldWhereDecayOutgrowsLaying) {
    const FieldRow& row = GetParam();
    EXPECT_EQ(computeMaximumDiameter({row.spaceDemolition, row.mines, row.planets}), row.text) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, MaximumDiameterTexts,
    testing::Values(FieldRow{"the page's defaults, 2 %", false, 300, 0,
                             "The maximum Field Diameter is approximally 123 ly ( 15300 mines )"},
                    FieldRow{"Space Demolition, 1 %", true, 300, 0,
                             "The maximum Field Diameter is approximally 174 ly ( 30300 mines )"},
                    FieldRow{"50 % stops at three years of laying", false, 300, 12,
                             "The maximum Field Diameter is approximally 30 ly ( 900 mines )"},
                    FieldRow{"the field stops when the decay exceeds the laying", false, 50, 0,
                             "The maximum Field Diameter is approximally 50 ly ( 2550 mines )"},
                    FieldRow{"the longest growth: one mine a year at 1 %", true, 1, 0,
                             "The maximum Field Diameter is approximally 14 ly ( 200 mines )"},
                    FieldRow{"a typed laying rate at the 32-bit limit does not wrap", false, kMaxInt, 0,
                             "The maximum Field Diameter is approximally 330940 ly ( 109521665997 mines )"},
                    FieldRow{"no laying never stops", false, 0, 0, "Enter at least one mine a year"},
                    FieldRow{"negative laying never stops", false, kMinInt, 0,
                             "Enter at least one mine a year"},
                    FieldRow{"no decay never stops", true, 300, -1, "Enter 0 or more planets in the field"}));

} // namespace
} // namespace kc::pages
