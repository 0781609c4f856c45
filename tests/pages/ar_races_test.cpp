#include "pages/ar_races.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

using Starbase = kc::pages::Starbase;

struct Row {
    const char* reason;
    ArRacesInputs inputs;
    std::int64_t scanning;
    std::int64_t penetrating;
    std::optional<std::int64_t> resources;
    std::int64_t mining;
};

ArRacesInputs with(std::int32_t population, std::optional<Starbase> starbase = std::nullopt,
                   bool noAdvancedScanners = false) {
    ArRacesInputs inputs;
    inputs.population = population;
    inputs.starbase = starbase;
    inputs.noAdvancedScanners = noAdvancedScanners;
    return inputs;
}

ArRacesInputs resourcesCase(std::int32_t population, std::int32_t value, std::int32_t energy,
                            std::int32_t efficiency) {
    ArRacesInputs inputs = with(population);
    inputs.planetValue = value;
    inputs.energyTech = energy;
    inputs.efficiency = efficiency;
    return inputs;
}

class ArRacesResults : public testing::TestWithParam<Row> {};

TEST_P(ArRacesResults, MatchTheGame) {
    const Row& row = GetParam();
    const ArRacesOutcome outcome = computeArRaces(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.scanningRange, row.scanning) << row.reason;
    EXPECT_EQ(outcome.penetratingRange, row.penetrating) << row.reason;
    EXPECT_EQ(outcome.resources, row.resources) << row.reason;
    EXPECT_EQ(outcome.mining, row.mining) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ArRacesResults,
    testing::Values(
        Row{"defaults", ArRacesInputs{}, 32, 0, 32, 10},
        Row{"no advanced scanners doubles after rounding", with(10000, std::nullopt, true), 64, 0, 32, 10},
        Row{"ultra station scans penetrating at half the root", with(10000, Starbase::UltraStation), 32, 16,
            32, 10},
        Row{"population 0 gives zeros", with(0, Starbase::UltraStation), 0, 0, 0, 0},
        Row{"mining 2.5 rounds to the even 2", with(625), 8, 0, 8, 2},
        Row{"mining 1.5 rounds up to 2", with(225), 5, 0, 5, 2},
        Row{"death star: 2.5 penetrating rounds to 2", with(250, Starbase::DeathStar), 5, 2, 5, 2},
        Row{"death star with no advanced scanners", with(250, Starbase::DeathStar, true), 10, 0, 5, 2},
        Row{"orbital fort never scans penetrating", with(1000000, Starbase::OrbitalFort), 316, 0, 316, 100},
        Row{"space dock never scans penetrating", with(1000000, Starbase::SpaceDock), 316, 0, 316, 100},
        Row{"starbase never scans penetrating", with(1000000, Starbase::Starbase), 316, 0, 316, 100},
        Row{"resources 2.5 round to the even 2", resourcesCase(250, 50, 1, 10), 5, 0, 2, 2},
        Row{"efficiency 0 leaves the resources out", resourcesCase(10000, 100, 1, 0), 32, 0, std::nullopt,
            10},
        Row{"population times energy beyond 32 bits", resourcesCase(2000000000, 100, 26, 7), 14142, 0, 86189,
            4472},
        Row{"maximum population", with(3300000, Starbase::DeathStar), 574, 287, 574, 182}));

struct FailureRow {
    const char* reason;
    ArRacesInputs inputs;
    bool scanningShown;
};

class ArRacesFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(ArRacesFailures, StopWithTheRuntimeMessage) {
    const FailureRow& row = GetParam();
    const ArRacesOutcome outcome = computeArRaces(row.inputs);
    ASSERT_TRUE(outcome.failure) << row.reason;
    EXPECT_STREQ(outcome.failure->what(), "Invalid floating point operation") << row.reason;
    EXPECT_EQ(outcome.scanningRange.has_value(), row.scanningShown) << row.reason;
    EXPECT_FALSE(outcome.mining) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(UndefinedRoots, ArRacesFailures,
                         testing::Values(FailureRow{"negative population changes nothing", with(-10), false},
                                         FailureRow{"negative efficiency fails after the two ranges",
                                                    resourcesCase(100, 100, 1, -7), true},
                                         FailureRow{"negative energy fails after the two ranges",
                                                    resourcesCase(100, 100, -1, 10), true}));

} // namespace
} // namespace kc::pages
