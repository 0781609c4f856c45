#include "pages/minefields.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "rules/weapons.h"

#include <algorithm>

namespace kc::pages {

namespace {

constexpr std::int64_t kHighestDecayPercent = 50;
constexpr const char* kLineBreak = "\n\r";

// Mines lost in a year, truncated toward zero. Typed counts and planets can take the product past 64 bits.
std::int64_t yearlyLoss(std::int64_t mines, std::int64_t percent) {
    return static_cast<std::int64_t>(wideProduct(mines, percent) / 100);
}

} // namespace

std::int64_t decayPercent(bool spaceDemolition, std::int32_t planets) {
    const std::int64_t percent = spaceDemolition ? 1 + std::int64_t{planets} : 1 + wideProduct(4, planets);
    return std::min(percent, kHighestDecayPercent);
}

std::int64_t growingFieldDecayPercent(bool spaceDemolition, std::int32_t planets) {
    const std::int64_t percent = spaceDemolition ? 1 + std::int64_t{planets} : 2 + wideProduct(4, planets);
    return std::min(percent, kHighestDecayPercent);
}

std::optional<std::string> computeMineSweep(const MineSweepInputs& in) {
    if (in.weapon < 0)
        return std::nullopt;
    const std::optional<std::int32_t> sweepPerShip = rules::GetWeaponPower(in.weapon, "Mine");
    if (!sweepPerShip)
        return "No figures for this weapon";
    const std::int64_t standardHeavy = wideProduct(*sweepPerShip, in.ships);
    return std::string("This Fleet/Ship is able to sweep") + kLineBreak + "   " + intToStr(standardHeavy) +
           " Standard/Heavy" + kLineBreak + "   " + intToStr(standardHeavy / 3) + " Speed Bumb mines a year";
}

std::string computeDecayRate(const DecayRateInputs& in) {
    const std::int64_t percent = decayPercent(in.spaceDemolition, in.planets);
    return "The decay rate is : " + intToStr(yearlyLoss(in.mines, percent)) + "mines ( " + intToStr(percent) +
           " % )";
}

std::string computeMaximumDiameter(const MaximumDiameterInputs& in) {
    // Without laying, or with a decay of 0 % or less (planets typed below 0), the field never stops growing.
    if (in.minesPerYear <= 0)
        return "Enter at least one mine a year";
    if (in.planets < 0)
        return "Enter 0 or more planets in the field";
    const std::int64_t percent = growingFieldDecayPercent(in.spaceDemolition, in.planets);
    // The field stops in the first year k with k Y R >= 100 (Y + 1): after at most 200 years (1 mine a year
    // at 1 %), whatever is typed.
    std::int64_t total = 0;
    do {
        total += in.minesPerYear;
    } while (yearlyLoss(total, percent) <= in.minesPerYear);
    const std::int64_t diameter = truncToInt(squareRoot(static_cast<Extended>(total)));
    return "The maximum Field Diameter is approximally " + intToStr(diameter) + " ly ( " + intToStr(total) +
           " mines )";
}

} // namespace kc::pages
