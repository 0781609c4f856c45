#include "pages/jammers.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"
#include "rules/torpedoes.h"

#include <initializer_list>
#include <utility>

namespace kc::pages {

namespace {

// A device's share of the effect left after n of them is f^n; below this the strength rounds to 1 in
// single precision whatever the exact power, so counts typed in the billions stop early.
constexpr Extended kNegligiblePower = 0x1p-160L;

// single(1 - f^n) per kind of device, then single(1 - the product of what each kind leaves).
Single combinedStrength(std::initializer_list<std::pair<Extended, std::int32_t>> devices) {
    Extended left = 1;
    for (const auto& [factor, count] : devices) {
        const Single strength = toSingle(subtract(1, powerIntOrZero(factor, count, kNegligiblePower)));
        left = multiply(left, subtract(1, strength));
    }
    return toSingle(subtract(1, left));
}

} // namespace

Single jammingStrength(std::int32_t jammer10, std::int32_t jammer20, std::int32_t jammer30,
                       std::int32_t jammer50) {
    return combinedStrength({{0.9L, jammer10}, {0.8L, jammer20}, {0.7L, jammer30}, {0.5L, jammer50}});
}

Single computerStrength(std::int32_t computer, std::int32_t superComputer, std::int32_t nexus) {
    return combinedStrength({{0.8L, computer}, {0.7L, superComputer}, {0.5L, nexus}});
}

TorpedoAccuracy torpedoAccuracy(std::int32_t base, Single jamming, Single computing) {
    const Extended t = divide(base, 100);
    TorpedoAccuracy result;
    Single accuracy = 0;
    if (jamming >= computing) {
        accuracy = toSingle(multiply(t, subtract(1, subtract(jamming, computing))));
        result.change = roundToInt(multiply(subtract(t, accuracy), 100));
    } else {
        accuracy = toSingle(add(t, multiply(subtract(1, t), subtract(computing, jamming))));
        result.change = roundToInt(multiply(subtract(accuracy, t), 100));
        result.increase = true;
    }
    result.accuracy = roundToInt(multiply(accuracy, 100));
    return result;
}

JammersOutcome computeJammers(const JammersInputs& in) {
    JammersOutcome out;
    if (in.torpedo < 0)
        return out;
    out.failure = captureFailure([&] {
        const std::optional<std::int32_t> base = rules::GetTorp(in.torpedo);
        if (!base) {
            out.text = "No figures for this torpedo";
            return;
        }
        const Single jamming = jammingStrength(in.jammer10, in.jammer20, in.jammer30, in.jammer50);
        const Single computing = computerStrength(in.computer, in.superComputer, in.nexus);
        out.text = accuracySentence(torpedoAccuracy(*base, jamming, computing));
    });
    return out;
}

std::string accuracySentence(const TorpedoAccuracy& result) {
    const std::string tail = result.increase ? "that's an increase of " : "that's a decrease of ";
    return "The torpedo will have an accuracy of " + intToStr(result.accuracy) + " %. " + tail +
           intToStr(result.change) + " %.";
}

} // namespace kc::pages
