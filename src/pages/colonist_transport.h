#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// Colonists carried in a ship's hold. Inner Strength colonists grow on the way, at half their planet growth
// rate a year, so fewer have to be loaded; Alternate Reality colonists die off, 3 % a year, though at least
// 22 kt (or all, when fewer were loaded) always arrive.
namespace kc::pages {

struct InnerStrengthInputs {
    std::int32_t growthRate = 15; // percent a year on a planet
    std::int32_t space = 100;     // kt to be filled at the destination
    std::int32_t years = 1;
};

struct AlternateRealityInputs {
    std::int32_t colonists = 100; // kt loaded
    std::int32_t years = 15;
};

struct ColonistOutcome {
    std::optional<std::int64_t> kilotons;
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

// The growth in the hold over one year, held in single precision as the game holds it.
Single yearlyGrowthFactor(std::int32_t growthRate);

// The kt to load so that the hold is full on arrival.
ColonistOutcome computeInnerStrength(const InnerStrengthInputs& inputs);
// The kt that arrive.
ColonistOutcome computeAlternateReality(const AlternateRealityInputs& inputs);

// "You will have to load <load> kt of Colonists"
std::string loadSentence(std::int64_t load);
// "Only <arriving>Kt of colonist will reach their destination"
std::string arrivalSentence(std::int64_t arriving);

} // namespace kc::pages
