#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"
#include "rules/fuel_table.h"

#include <cstdint>
#include <optional>
#include <string>

// The fuel a ship or fleet burns on a trip. At warp S a ship covers S² light years a year; every whole year
// and the last, partial year are each charged their fuel rounded up to a whole mg.
namespace kc::pages {

struct FuelUsageInputs {
    std::int32_t mass = 10;      // kt, freight included
    std::int32_t speed = 8;      // warp
    int engine = -1;             // engine list position, -1 while none is chosen
    std::int32_t distance = 100; // ly
    bool improvedFuelEfficiency = false;
};

struct FuelUsageOutcome {
    std::optional<std::int64_t> fuel; // mg
    // The sentence with the fuel, or a short notice of what is missing for one.
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

// The distance in whole years of travel: D div S². A speed of 0 fails with "Division by zero".
std::int64_t WholeYears(std::int32_t distance, std::int32_t speed);

// The fuel burnt in one full year, held in single precision as the game holds it.
Single FuelPerYear(std::int32_t mass, std::int32_t speed, std::int32_t fuelFactor,
                   bool improvedFuelEfficiency);

// The fuel for the whole trip, in mg.
std::int64_t TripFuel(std::int32_t distance, std::int32_t mass, std::int32_t speed, std::int32_t fuelFactor,
                      bool improvedFuelEfficiency);

FuelUsageOutcome computeFuelUsage(const rules::FuelFactors& table, const FuelUsageInputs& inputs);

// "Fuel usage will be <fuel> Mg"
std::string fuelUsageSentence(std::int64_t fuel);

} // namespace kc::pages
