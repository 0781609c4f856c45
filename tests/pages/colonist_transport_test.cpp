#include "pages/colonist_transport.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

TEST(YearlyGrowthFactor, IsHeldInSinglePrecision) {
    EXPECT_EQ(static_cast<Extended>(yearlyGrowthFactor(15)), 1.07500004768371582031L);
    EXPECT_EQ(yearlyGrowthFactor(20), 1.1f);
}

struct InnerRow {
    const char* reason;
    InnerStrengthInputs inputs;
    std::int64_t load;
};

class InnerStrengthResults : public testing::TestWithParam<InnerRow> {};

TEST_P(InnerStrengthResults, MatchTheGame) {
    const InnerRow& row = GetParam();
    const ColonistOutcome outcome = computeInnerStrength(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.kilotons, row.load) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, InnerStrengthResults,
    testing::Values(InnerRow{"defaults", {}, 93}, InnerRow{"20 %", {20, 100, 1}, 91},
                    InnerRow{"10 % over 10 years", {10, 100, 10}, 61},
                    InnerRow{"a full hold of 100000 kt", {15, 100000, 1}, 93023},
                    InnerRow{"nothing to fill", {15, 0, 1}, 0}, InnerRow{"1000 years", {15, 100, 1000}, 0},
                    InnerRow{"no growth loads the space itself", {0, 100, 2147483647}, 100},
                    InnerRow{"no years at all", {15, 100, -3}, 100}));

struct ArRow {
    const char* reason;
    AlternateRealityInputs inputs;
    std::int64_t arriving;
};

class AlternateRealityResults : public testing::TestWithParam<ArRow> {};

TEST_P(AlternateRealityResults, MatchTheGame) {
    const ArRow& row = GetParam();
    const ColonistOutcome outcome = computeAlternateReality(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.kilotons, row.arriving) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, AlternateRealityResults,
                         testing::Values(ArRow{"defaults", {}, 63}, ArRow{"1 year", {100, 1}, 97},
                                         ArRow{"below 22 kt all arrive", {20, 15}, 20},
                                         ArRow{"at least 22 kt arrive", {23, 50}, 22},
                                         ArRow{"1000 years", {100, 1000}, 22},
                                         ArRow{"nothing loaded", {0, 15}, 0},
                                         ArRow{"years beyond any loop still end", {100000, 2147483647}, 22}));

TEST(InnerStrengthFailures, StopWithTheRuntimeMessage) {
    const struct {
        const char* reason;
        InnerStrengthInputs inputs;
        const char* message;
    } rows[] = {
        {"growth past the extended range", {15, 100, 2147483647}, "Floating point overflow"},
        {"no colonists left to grow from", {-200, 100, 1}, "Floating point division by zero"},
    };
    for (const auto& row : rows) {
        const ColonistOutcome outcome = computeInnerStrength(row.inputs);
        ASSERT_TRUE(outcome.failure) << row.reason;
        EXPECT_STREQ(outcome.failure->what(), row.message) << row.reason;
        EXPECT_FALSE(outcome.text) << row.reason;
    }
}

} // namespace
} // namespace kc::pages
