#include "pages/overgating.h"

#include <gtest/gtest.h>

#include <limits>

namespace kc::pages {
namespace {

// List positions of the gate types.
constexpr int k100_250 = 0;
constexpr int kAny_300 = 1;
constexpr int k150_600 = 2;
constexpr int k300_500 = 3;
constexpr int k100_any = 4;
constexpr int kAny_800 = 5;
constexpr int kAny_any = 6;

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

struct GatingRow {
    const char* reason;
    OvergatingInputs inputs;
    const char* aToB;
    const char* bToA;
};

class OvergatingDamage : public testing::TestWithParam<GatingRow> {};

TEST_P(OvergatingDamage, MatchesTheGame) {
    const GatingRow& row = GetParam();
    const OvergatingOutcome outcome = computeOvergating(row.inputs);
    EXPECT_EQ(outcome.aToB, row.aToB) << row.reason;
    EXPECT_EQ(outcome.bToA, row.bToA) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, OvergatingDamage,
    testing::Values(
        GatingRow{"range and mass damage, range only one way", {k100_250, k300_500, 200, 400}, "30%", "18%"},
        GatingRow{"a light ship takes no mass damage", {k100_250, k300_500, 50, 400}, "15%", "0%"},
        GatingRow{
            "a ship at the lighter limit takes no mass damage", {k100_250, k300_500, 100, 400}, "15%", "0%"},
        GatingRow{"a light ship through one limited gate lowers the damage",
                  {kAny_300, k100_250, 50, 400},
                  "0%",
                  "4%"},
        GatingRow{"exactly 29 %, never 28", {k100_250, kAny_any, 100, 540}, "29%", "0%"},
        GatingRow{"a weightless ship", {k100_250, kAny_any, 0, 540}, "11%", "0%"},
        GatingRow{"negative mass damage below the range damage", {k100_250, kAny_300, 60, 350}, "1%", "0%"},
        GatingRow{"both gates overstretched", {k150_600, kAny_800, 400, 1000}, "51%", "45%"},
        GatingRow{"mass limit only", {k100_any, k100_any, 150, 100}, "23%", "23%"},
        GatingRow{"unlimited gates", {kAny_any, kAny_any, 100000, 100000}, "0%", "0%"},
        GatingRow{"distance 0 never gives range damage", {k100_250, k300_500, 200, 0}, "18%", "18%"},
        GatingRow{
            "huge typed values are shown as 100", {k100_250, k100_250, kMaxInt, kMaxInt}, "100%", "100%"},
        GatingRow{"huge negative values are shown as 0", {k100_250, kAny_any, kMinInt, kMinInt}, "0%", "0%"},
        GatingRow{"no gate A", {-1, k300_500, 200, 400}, "Select both gates", "Select both gates"},
        GatingRow{"no gate B", {k100_250, -1, 200, 400}, "Select both gates", "Select both gates"}));

} // namespace
} // namespace kc::pages
