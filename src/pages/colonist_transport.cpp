#include "pages/colonist_transport.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <algorithm>

namespace kc::pages {

namespace {

constexpr Extended kYearlySurvival = 0.97L;
constexpr std::int64_t kLeastArriving = 22;

} // namespace

Single yearlyGrowthFactor(std::int32_t growthRate) {
    return toSingle(add(divide(growthRate, 200), 1));
}

ColonistOutcome computeInnerStrength(const InnerStrengthInputs& in) {
    ColonistOutcome out;
    out.failure = captureFailure([&] {
        const Extended growth = powerInt(yearlyGrowthFactor(in.growthRate), in.years);
        out.kilotons = roundToInt(divide(in.space, growth));
        out.text = loadSentence(*out.kilotons);
    });
    return out;
}

ColonistOutcome computeAlternateReality(const AlternateRealityInputs& in) {
    ColonistOutcome out;
    out.failure = captureFailure([&] {
        const Extended survival = powerInt(kYearlySurvival, in.years);
        const std::int64_t survivors = roundToInt(multiply(in.colonists, survival));
        out.kilotons = std::max(std::min<std::int64_t>(in.colonists, kLeastArriving), survivors);
        out.text = arrivalSentence(*out.kilotons);
    });
    return out;
}

std::string loadSentence(std::int64_t load) {
    return "You will have to load " + intToStr(load) + " kt of Colonists";
}

std::string arrivalSentence(std::int64_t arriving) {
    return "Only " + intToStr(arriving) + "Kt of colonist will reach their destination";
}

} // namespace kc::pages
