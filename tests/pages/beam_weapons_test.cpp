#include "pages/beam_weapons.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

constexpr BeamWeapon kLaser{.power = 10, .range = 1};
constexpr BeamWeapon kMiniGun{.power = 13, .range = 2};
constexpr BeamWeapon kColloidalPhaser{.power = 26, .range = 3};
constexpr BeamWeapon kStreamingPulveriser{.power = 433, .range = 1};

BeamWeaponsInputs fire(BeamWeapon weapon, std::int32_t distance, std::int32_t energy = 0,
                       std::int32_t flux = 0, std::int32_t deflectors = 0, std::int32_t weapons = 1) {
    return {true, weapon, weapons, distance, energy, flux, deflectors};
}

struct Row {
    const char* reason;
    BeamWeaponsInputs inputs;
    std::optional<std::int64_t> damage; // none: out of range
};

class BeamWeaponsDamage : public testing::TestWithParam<Row> {};

TEST_P(BeamWeaponsDamage, MatchesTheGame) {
    const Row& row = GetParam();
    const BeamWeaponsOutcome outcome = computeBeamWeapons(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.damage, row.damage) << row.reason;
    EXPECT_EQ(outcome.text, row.damage ? beamDamageSentence(*row.damage) : "This Fleet is out of range.")
        << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, BeamWeaponsDamage,
    testing::Values(Row{"point blank", fire(kLaser, 0), 10},
                    Row{"at full range a tenth is lost", fire(kLaser, 1), 9},
                    Row{"one square beyond the range", fire(kLaser, 2), std::nullopt},
                    Row{"a deflector after the range loss", fire(kColloidalPhaser, 3, 0, 0, 1), 20},
                    Row{"both kinds of capacitor", fire(kColloidalPhaser, 0, 2, 1), 38},
                    Row{"the boost stops at 2.5", fire(kColloidalPhaser, 0, 10), 65},
                    Row{"32.5 rounds to the even 32", fire(kMiniGun, 0, 10), 32},
                    Row{"the count multiplies after both truncations",
                        fire(kStreamingPulveriser, 1, 3, 2, 2, 16), 9680},
                    Row{"a count typed beyond the box, at full width",
                        fire(kStreamingPulveriser, 0, 0, 0, 0, 2147483647), 433LL * 2147483647}));

TEST(BeamWeaponsNotices, SayWhatIsMissing) {
    EXPECT_EQ(computeBeamWeapons(BeamWeaponsInputs{}).text, "Select a weapon");
    BeamWeaponsInputs appendedTwice = fire(kLaser, 0);
    appendedTwice.weapon.reset();
    EXPECT_EQ(computeBeamWeapons(appendedTwice).text, "No figures for this weapon");
}

} // namespace
} // namespace kc::pages
