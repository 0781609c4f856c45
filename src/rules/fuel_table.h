#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The fuel use factor T(E, S) of each engine at each warp speed, read by the fuel usage page.
namespace kc::rules {

// The fifteen listed engines and the one that unlocking appends.
inline constexpr int kFuelEngineCount = 16;
inline constexpr int kFuelSlowestSpeed = 2;
inline constexpr int kFuelFastestSpeed = 10;
inline constexpr int kFuelSpeedCount = kFuelFastestSpeed - kFuelSlowestSpeed + 1;

// Rows E = 1 .. 16 one after the other, columns warp 2 .. 10: T(E, S) is entry (E - 1) * 9 + (S - 2).
using FuelFactors = std::array<std::int32_t, kFuelEngineCount * kFuelSpeedCount>;

void fillFuelTable(FuelFactors& table);

// T(E, S), where E is the engine's list position + 1. Nothing for E outside 1 .. 16 or S outside 2 .. 10:
// there is no row for "no engine selected" and no column below warp 2.
std::optional<std::int32_t> fuelFactor(const FuelFactors& table, int engine, int speed);

} // namespace kc::rules
