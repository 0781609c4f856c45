#include "pages/planet_score.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

PlanetScoreInputs ships(std::int32_t planets, std::int32_t unarmed, std::int32_t escorts,
                        std::int32_t capital) {
    PlanetScoreInputs inputs;
    inputs.planets = planets;
    inputs.unarmedShips = unarmed;
    inputs.escortShips = escorts;
    inputs.capitalShips = capital;
    return inputs;
}

PlanetScoreInputs planet(std::int32_t population, std::int32_t resources, bool spaceDock = false) {
    PlanetScoreInputs inputs = ships(1, 0, 0, 0);
    inputs.population = population;
    inputs.resources = resources;
    inputs.starbaseWithSpaceDock = spaceDock;
    return inputs;
}

struct Row {
    const char* reason;
    PlanetScoreInputs inputs;
    std::int64_t points;
};

class PlanetScoreResults : public testing::TestWithParam<Row> {};

TEST_P(PlanetScoreResults, MatchTheGame) {
    const Row& row = GetParam();
    const PlanetScoreOutcome outcome = computePlanetScore(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.points, row.points) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, PlanetScoreResults,
    testing::Values(
        Row{"initial inputs: unarmed 1 and capital ships 4 - 0", {}, 5},
        Row{"no capital ships: only the unarmed point", ships(1, 1, 1, 0), 1},
        Row{"2 escorts for 1 planet", ships(1, 0, 2, 0), 1},
        Row{"1.5 escorts fall short of 2", ships(2, 0, 3, 0), 0},
        Row{"2 x 1 unarmed reaches 2 planets", ships(2, 1, 0, 0), 1},
        Row{"no planets: both ship conditions hold", ships(0, 0, 0, 0), 2},
        Row{"no planets: no capital-ship share", ships(0, 0, 0, 5), 2},
        Row{"capital share 8 - 5 at the second planet", ships(2, 0, 0, 2), 3},
        Row{"capital score 22.5 rounds to the even 22, as 22.47 does", ships(45, 0, 0, 3), 0},
        Row{"capital score 22.53 rounds to 23 over the 22 of 22.5", ships(46, 0, 0, 3), 1},
        Row{"699999 colonists", planet(699999, 1), 6}, Row{"700000 colonists, the cap", planet(700000, 1), 6},
        Row{"1200000 colonists", planet(1200000, 1), 6}, Row{"99999 colonists", planet(99999, 1), 0},
        Row{"29 resources", planet(1, 29), 0}, Row{"30 resources", planet(1, 30), 1},
        Row{"100000000 resources", planet(1, 100000000), 3333333}, Row{"spacedock", planet(1, 1, true), 3},
        Row{"unarmed doubled beyond 32 bits", ships(2147483647, 2147483647, 0, 0), 1}));

TEST(PlanetScoreFailures, NegativeCapitalShipsCancellingThePlanetsDivideByZero) {
    const PlanetScoreOutcome outcome = computePlanetScore(ships(1, 0, 0, -1));
    ASSERT_TRUE(outcome.failure);
    EXPECT_STREQ(outcome.failure->what(), "Floating point division by zero");
    EXPECT_FALSE(outcome.text);
}

} // namespace
} // namespace kc::pages
