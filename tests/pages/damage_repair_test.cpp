#include "pages/damage_repair.h"

#include "rules/repair_rate.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

enum Location {
    MovingInSpace = 0,
    OwnPlanetWithSpaceDock = 3,
    OwnPlanetWithStarbase = 4,
    OwnPlanet = 5,
    BombingAPlanet = 6
};

DamageRepairInputs fleet(Location location, std::int32_t armor, std::int32_t damage,
                         rules::FuelTransports transports = {}) {
    return {.location = location, .transports = transports, .totalArmor = armor, .damagePercent = damage};
}

constexpr rules::FuelTransports kFuelTransport{.fuelTransport = true};
constexpr rules::FuelTransports kBothTransports{.superFuelXport = true, .fuelTransport = true};
constexpr const char* kAll = "All of the ship's/fleet's Damage will be repaired next year";

struct Row {
    const char* reason;
    DamageRepairInputs inputs;
    std::string text;
};

class DamageRepairTexts : public testing::TestWithParam<Row> {};

TEST_P(DamageRepairTexts, MatchTheGame) {
    const Row& row = GetParam();
    const DamageRepairOutcome outcome = computeDamageRepair(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.text, row.text) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, DamageRepairTexts,
    testing::Values(Row{"a hundredth in single precision repairs 9 of 1000", fleet(MovingInSpace, 1000, 50),
                        partialRepairSentence(9, 2)},
                    Row{"a fuel transport adds 0.05", fleet(MovingInSpace, 1000, 50, kFuelTransport),
                        partialRepairSentence(59, 12)},
                    Row{"a space dock repairs 20%", fleet(OwnPlanetWithSpaceDock, 1000, 20), kAll},
                    Row{"a space dock leaves part of 30%", fleet(OwnPlanetWithSpaceDock, 1000, 30),
                        partialRepairSentence(200, 67)},
                    Row{"0.08 lies below 8%: 39 of 500", fleet(OwnPlanetWithStarbase, 500, 50),
                        partialRepairSentence(39, 16)},
                    Row{"no damage is all repaired", fleet(MovingInSpace, 0, 0), kAll},
                    Row{"damage equal to a rate lying above it", fleet(OwnPlanet, 1000, 5), kAll},
                    Row{"damage equal to a rate lying below it", fleet(MovingInSpace, 1000, 1),
                        partialRepairSentence(9, 90)},
                    Row{"a super xport outranks a fuel transport",
                        fleet(MovingInSpace, 1000, 50, kBothTransports), partialRepairSentence(109, 22)},
                    Row{"armor at full width", fleet(OwnPlanetWithSpaceDock, 2147483647, 100),
                        partialRepairSentence(429496735, 20)}));

TEST(DamageRepairNotices, SayWhatIsMissing) {
    EXPECT_EQ(computeDamageRepair(DamageRepairInputs{}).text, "Select a location");
    EXPECT_EQ(computeDamageRepair(fleet(BombingAPlanet, 1000, 50)).text,
              "No repair figures for this location");
}

TEST(DamageRepairFailures, NoArmorWithDamageAboveTheRateIsInvalid) {
    const DamageRepairOutcome outcome = computeDamageRepair(fleet(MovingInSpace, 0, 50));
    ASSERT_TRUE(outcome.failure);
    EXPECT_STREQ(outcome.failure->what(), "Invalid floating point operation");
    EXPECT_FALSE(outcome.text);
}

} // namespace
} // namespace kc::pages
