#include "pages/fuel_usage.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <limits>

namespace kc::pages {

namespace {

constexpr Extended kImprovedFuelEfficiency = 0.85L;

std::int64_t lightYearsPerYear(std::int32_t speed) {
    return wideProduct(speed, speed);
}

// The whole years' charge only leaves 64 bits for fuel factors far beyond any engine's; fail rather than
// wrap.
std::int64_t narrowed(__int128 value) {
    if (value > std::numeric_limits<std::int64_t>::max() || value < std::numeric_limits<std::int64_t>::min())
        raiseInvalidOperation();
    return static_cast<std::int64_t>(value);
}

std::string speedNotice() {
    return "Select a speed from " + intToStr(rules::kFuelSlowestSpeed) + " to " +
           intToStr(rules::kFuelFastestSpeed);
}

} // namespace

std::int64_t WholeYears(std::int32_t distance, std::int32_t speed) {
    return intDiv(distance, lightYearsPerYear(speed));
}

Single FuelPerYear(std::int32_t mass, std::int32_t speed, std::int32_t fuelFactor,
                   bool improvedFuelEfficiency) {
    // Beyond 32 bits for heavy ships: formed whole, at full width.
    const __int128 burn = wideProduct(wideProduct(mass, fuelFactor), lightYearsPerYear(speed));
    Single perYear = toSingle(divide(add(divide(static_cast<Extended>(burn), 200), 9), 100));
    if (improvedFuelEfficiency)
        perYear = toSingle(multiply(kImprovedFuelEfficiency, perYear));
    return perYear;
}

std::int64_t TripFuel(std::int32_t distance, std::int32_t mass, std::int32_t speed, std::int32_t fuelFactor,
                      bool improvedFuelEfficiency) {
    const std::int64_t years = WholeYears(distance, speed);
    const Single perYear = FuelPerYear(mass, speed, fuelFactor, improvedFuelEfficiency);
    const std::int64_t wholeYearsFuel = narrowed(wideProduct(years, roundUp(perYear)));
    const std::int64_t lightYearsLeft = distance - lightYearsPerYear(speed) * years;
    const std::int64_t lastYearFuel =
        roundUp(multiply(perYear, divide(static_cast<Extended>(lightYearsLeft), lightYearsPerYear(speed))));
    return narrowed(static_cast<__int128>(wholeYearsFuel) + lastYearFuel);
}

FuelUsageOutcome computeFuelUsage(const rules::FuelFactors& table, const FuelUsageInputs& in) {
    FuelUsageOutcome out;
    out.failure = captureFailure([&] {
        // A speed of 0 fails here whatever else is missing, as the trip's first step does.
        WholeYears(in.distance, in.speed);
        // The table numbers engines from 1; an engine appended twice has no row.
        const std::optional<std::int32_t> factor = rules::fuelFactor(table, in.engine + 1, in.speed);
        if (in.engine < 0) {
            out.text = "Select an engine";
        } else if (in.speed < rules::kFuelSlowestSpeed || in.speed > rules::kFuelFastestSpeed) {
            out.text = speedNotice();
        } else if (!factor) {
            out.text = "No fuel figures for this engine";
        } else if (in.mass < 0) {
            out.text = "Enter a mass of 0 or more";
        } else if (in.distance < 0) {
            out.text = "Enter a distance of 0 or more";
        } else {
            out.fuel = TripFuel(in.distance, in.mass, in.speed, *factor, in.improvedFuelEfficiency);
            out.text = fuelUsageSentence(*out.fuel);
        }
    });
    return out;
}

std::string fuelUsageSentence(std::int64_t fuel) {
    return "Fuel usage will be " + intToStr(fuel) + " Mg";
}

} // namespace kc::pages
