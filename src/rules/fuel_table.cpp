#include "rules/fuel_table.h"

#include <algorithm>

namespace kc::rules {
namespace {

using FuelRow = std::array<std::int32_t, kFuelSpeedCount>;

// Warp 2 .. 10 for each engine, in engine list order.
constexpr std::array<FuelRow, kFuelEngineCount> kFuelRows{{
    {0, 0, 0, 0, 0, 140, 275, 480, 576},           // Settler's Delight
    {25, 100, 100, 100, 180, 500, 800, 900, 1080}, // Quick Jump 5
    {0, 0, 0, 35, 120, 175, 235, 360, 420},        // Fuel Mizer
    {20, 60, 100, 100, 105, 450, 750, 900, 1080},  // Long Hump 6
    {20, 60, 70, 100, 100, 110, 600, 750, 900},    // Daddy Long Legs 7
    {15, 50, 60, 70, 100, 100, 115, 700, 840},     // Alpha Drive 8
    {15, 35, 45, 55, 70, 80, 90, 100, 120},        // Trans-Galactic Drive
    {10, 30, 40, 50, 60, 70, 80, 90, 100},         // Interspace-10
    {5, 15, 20, 25, 30, 35, 40, 45, 50},           // Trans-Star 10
    {0, 0, 0, 0, 0, 165, 375, 600, 720},           // Radiating Hydro-Ram Scoop
    {0, 0, 0, 0, 85, 105, 210, 380, 456},          // Sub-Galactic Fuel Scoop
    {0, 0, 0, 0, 0, 88, 100, 145, 174},            // Trans-Galactic Fuel Scoop
    {0, 0, 0, 0, 0, 0, 65, 90, 108},               // Trans-Galactic Super Scoop
    {0, 0, 0, 0, 0, 0, 0, 70, 84},                 // Trans-Galactic Mizer Scoop
    {0, 0, 0, 0, 0, 0, 0, 0, 60},                  // Galaxy Scoop
    {0, 0, 0, 0, 60, 70, 80, 90, 100},             // the unlocked engine (mega poly shell)
}};

} // namespace

void fillFuelTable(FuelFactors& table) {
    auto out = table.begin();
    for (const FuelRow& row : kFuelRows)
        out = std::copy(row.begin(), row.end(), out);
}

std::optional<std::int32_t> fuelFactor(const FuelFactors& table, int engine, int speed) {
    if (engine < 1 || engine > kFuelEngineCount || speed < kFuelSlowestSpeed || speed > kFuelFastestSpeed)
        return std::nullopt;
    return table[static_cast<std::size_t>((engine - 1) * kFuelSpeedCount + (speed - kFuelSlowestSpeed))];
}

} // namespace kc::rules
