#include "pages/beam_weapons.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

// Weapon list positions with their power and range: Laser 10 and 1, Mini Gun 13 and 2, Colloidal Phaser 26
// and 3, Streaming Pulveriser 433 and 1, the unlocked weapon 140 and 3.
enum Weapon { Laser = 0, MiniGun = 2, ColloidalPhaser = 5, StreamingPulveriser = 15, Unlocked = 17 };

BeamWeaponsInputs fire(int weapon, std::int32_t distance, std::int32_t energy = 0, std::int32_t flux = 0,
                       std::int32_t deflectors = 0, std::int32_t weapons = 1) {
    return {weapon, weapons, distance, energy, flux, deflectors};
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
    testing::Values(Row{"point blank", fire(Laser, 0), 10},
                    Row{"at full range a tenth is lost", fire(Laser, 1), 9},
                    Row{"one square beyond the range", fire(Laser, 2), std::nullopt},
                    Row{"a deflector after the range loss", fire(ColloidalPhaser, 3, 0, 0, 1), 20},
                    Row{"both kinds of capacitor", fire(ColloidalPhaser, 0, 2, 1), 38},
                    Row{"the boost stops at 2.5", fire(ColloidalPhaser, 0, 10), 65},
                    Row{"32.5 rounds to the even 32", fire(MiniGun, 0, 10), 32},
                    Row{"the unlocked weapon at its full range", fire(Unlocked, 3), 126},
                    Row{"the count multiplies after both truncations",
                        fire(StreamingPulveriser, 1, 3, 2, 2, 16), 9680},
                    Row{"a count typed beyond the box, at full width",
                        fire(StreamingPulveriser, 0, 0, 0, 0, 2147483647), 433LL * 2147483647}));

TEST(BeamWeaponsNotices, SayWhatIsMissing) {
    EXPECT_EQ(computeBeamWeapons(BeamWeaponsInputs{}).text, "Select a weapon");
    EXPECT_EQ(computeBeamWeapons(fire(Unlocked + 1, 0)).text, "No figures for this weapon");
}

} // namespace
} // namespace kc::pages
