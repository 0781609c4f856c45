#include "pages/damage_repair.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

namespace kc::pages {

namespace {

constexpr const char* kFullRepairSentence = "All of the ship's/fleet's Damage will be repaired next year";

} // namespace

DamageRepairOutcome computeDamageRepair(const DamageRepairInputs& in) {
    DamageRepairOutcome out;
    out.failure = captureFailure([&] {
        if (in.location < 0) {
            out.text = "Select a location";
            return;
        }
        const std::optional<Single> repairRate = rules::getRepairRate(in.location, in.transports);
        if (!repairRate) {
            out.text = "No repair figures for this location";
            return;
        }
        const Single rate = *repairRate;
        // The rate stays at its single-precision value: 1% of 1000 dp repairs 9 dp, not 10.
        const std::int64_t points = truncToInt(multiply(rate, in.totalArmor));
        if (divide(in.damagePercent, 100) <= rate) {
            out.text = kFullRepairSentence;
            return;
        }
        const std::int64_t pointsTimes100 = points * 100;
        const std::int64_t armorTimesDamage = wideProduct(in.totalArmor, in.damagePercent);
        // No armor leaves 0 / 0: an invalid operation, as in the game.
        const Extended share = divide(static_cast<Extended>(pointsTimes100), armorTimesDamage);
        const std::int64_t percent = roundToInt(multiply(share, 100));
        out.repairedPoints = points;
        out.repairedPercent = percent;
        out.text = partialRepairSentence(points, percent);
    });
    return out;
}

std::string partialRepairSentence(std::int64_t points, std::int64_t percent) {
    return intToStr(points) + "dp (" + intToStr(percent) +
           "%) of the ship's/fleet's Damage will be repaired next year";
}

} // namespace kc::pages
