#include "rules/game_tables.h"

#include "core/checked_math.h"

#include <gtest/gtest.h>

#include <optional>

namespace kc::rules {
namespace {

struct WeaponRow {
    int position;
    std::int32_t range;
    std::int32_t power;
    std::int32_t mineSweep;
    const char* weapon;
};

// The mine sweep column is given separately from range and power, so it cross-checks both tables and the
// fourfold rule for the gatling-type weapons.
TEST(GetWeaponPower, EveryWeaponsRangePowerAndMineSweep) {
    const WeaponRow rows[] = {
        {0, 1, 10, 10, "Laser"},
        {1, 1, 16, 16, "X-Ray Laser"},
        {2, 2, 13, 208, "Mini Gun"},
        {3, 1, 26, 26, "Yakimora Light Phaser"},
        {4, 2, 26, 104, "Phaser Bazooka"},
        {5, 3, 26, 234, "Colloidal Phaser"},
        {6, 2, 31, 496, "Gatling Gun"},
        {7, 1, 66, 66, "Mini Blaster"},
        {8, 2, 66, 264, "Mark IV Blaster"},
        {9, 3, 66, 594, "Heavy Blaster"},
        {10, 2, 80, 1280, "Gatling Neutrino Cannon"},
        {11, 1, 169, 169, "Myopic Disruptor"},
        {12, 2, 169, 676, "Disruptor"},
        {13, 3, 169, 1521, "Mega Disruptor"},
        {14, 2, 204, 3264, "Big Mutha Cannon"},
        {15, 1, 433, 433, "Streaming Pulveriser"},
        {16, 2, 433, 1732, "Anti Matter Pulveriser"},
        {17, 3, 140, 1260, "the unlocked weapon"},
    };
    for (const WeaponRow& row : rows) {
        EXPECT_EQ(GetWeaponPower(row.position, "Range"), row.range) << row.weapon;
        EXPECT_EQ(GetWeaponPower(row.position, "Power"), row.power) << row.weapon;
        EXPECT_EQ(GetWeaponPower(row.position, "Mine"), row.mineSweep) << row.weapon;
    }
}

TEST(GetWeaponPower, NothingForAPositionWithoutAWeaponOrAnUnknownKey) {
    for (const char* key : {"Range", "Power", "Mine"}) {
        EXPECT_EQ(GetWeaponPower(-1, key), std::nullopt) << "no weapon selected, " << key;
        EXPECT_EQ(GetWeaponPower(18, key), std::nullopt) << "the unlocked weapon appended twice, " << key;
    }
    EXPECT_EQ(GetWeaponPower(5, "range"), std::nullopt) << "keys are case-sensitive";
    EXPECT_EQ(GetWeaponPower(5, ""), std::nullopt);
}

struct RepairRow {
    int position;
    FuelTransports transports;
    std::optional<Single> rate;
    const char* reason;
};

TEST(GetRepairRate, BaseRateWithTheBestTransportsBonusHeldInSinglePrecision) {
    const RepairRow rows[] = {
        {0, {}, 0.01f, "moving in space"},
        {0, {.fuelTransport = true}, 0.06f, "plus 0.05 for a Fuel Transport"},
        {0, {.superFuelXport = true}, 0.11f, "plus 0.1 for a Super Fuel Xport"},
        {0, {.superFuelXport = true, .fuelTransport = true}, 0.11f, "the super transport's bonus alone"},
        {2, {}, 0.03f, "orbiting an opponent's planet"},
        {3, {}, 0.2f, "own planet with a space dock"},
        {3, {.superFuelXport = true, .fuelTransport = true}, 0.3f, "0.2 + 0.1 rounded to single"},
        {4, {}, 0.08f, "own planet with a starbase but no dock"},
        {5, {.fuelTransport = true}, 0.1f, "own planet without a starbase"},
        {-1, {}, std::nullopt, "no location selected"},
        {6, {.superFuelXport = true}, std::nullopt, "bombing an opponent's planet has no rate"},
    };
    for (const RepairRow& row : rows)
        EXPECT_EQ(getRepairRate(row.position, row.transports), row.rate) << row.reason;
}

// Held any wider, one hundredth would repair 10 of 1000 dp and 0.08 would repair 40 of 500.
TEST(GetRepairRate, RatesJustBelowTheirDecimalRepairOneLessPoint) {
    EXPECT_EQ(truncToInt(multiply(*getRepairRate(0, {}), 1000)), 9);
    EXPECT_EQ(truncToInt(multiply(*getRepairRate(4, {}), 500)), 39);
    EXPECT_EQ(truncToInt(multiply(*getRepairRate(0, {.fuelTransport = true}), 1000)), 59);
    EXPECT_EQ(truncToInt(multiply(*getRepairRate(3, {}), 1000)), 200);
}

TEST(GetEngineSpeed, ByEngineListPosition) {
    EXPECT_EQ(GetEngineSpeed(0), 6) << "Settler's Delight";
    EXPECT_EQ(GetEngineSpeed(1), 5) << "Quick Jump 5";
    EXPECT_EQ(GetEngineSpeed(5), 8) << "Alpha Drive 8";
    EXPECT_EQ(GetEngineSpeed(9), 6) << "Radiating Hydro-Ram Scoop";
    EXPECT_EQ(GetEngineSpeed(11), 8) << "Trans-Galactic Fuel Scoop";
    EXPECT_EQ(GetEngineSpeed(15), 10) << "the unlocked engine";
    EXPECT_EQ(GetEngineSpeed(-1), std::nullopt) << "no engine selected";
    EXPECT_EQ(GetEngineSpeed(16), std::nullopt) << "the unlocked engine appended twice";
}

TEST(GetTorp, ByTorpedoListPosition) {
    EXPECT_EQ(GetTorp(0), 35) << "Alpha Torpedo";
    EXPECT_EQ(GetTorp(6), 80) << "Omega Torpedo";
    EXPECT_EQ(GetTorp(7), 20) << "Jihad Missile";
    EXPECT_EQ(GetTorp(10), 30) << "Armageddon Missile";
    EXPECT_EQ(GetTorp(11), 85) << "the unlocked torpedo";
    EXPECT_EQ(GetTorp(-1), std::nullopt) << "no torpedo selected";
    EXPECT_EQ(GetTorp(12), std::nullopt) << "the unlocked torpedo appended twice";
}

} // namespace
} // namespace kc::rules
