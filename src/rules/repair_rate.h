#pragma once

#include "core/extended.h"

#include <array>
#include <optional>

// The share of its damage a ship or fleet repairs in a year, read by the damage repair page.
namespace kc::rules {

// Single precision, as the game holds it: 0.01 lies just below one hundredth, so 1% of 1000 dp repairs 9 dp.
// By location list position 0 .. 5; the seventh location, bombing an opponent's planet, has no rate.
inline constexpr std::array<Single, 6> RepairRate{0.01f, 0.02f, 0.03f, 0.20f, 0.08f, 0.05f};

// The fleet's fuel transports, as the damage repair page's two check boxes tell them.
struct FuelTransports {
    bool superFuelXport = false; // chkFuelSuper
    bool fuelTransport = false;  // chkFuel
};

// The location's rate plus 0.1 with a Super Fuel Xport, otherwise plus 0.05 with a Fuel Transport; the sum is
// formed in extended precision and held in single precision. Nothing for a location without a rate.
std::optional<Single> getRepairRate(int position, FuelTransports transports);

} // namespace kc::rules
