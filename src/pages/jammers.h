#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// How accurate a torpedo or missile is against a target with jammers when the attacker carries battle
// computers. Each side's devices combine into one strength; only the difference acts, lowering the base
// accuracy when the jammers are at least as strong and raising it otherwise.
namespace kc::pages {

struct JammersInputs {
    std::int32_t jammer10 = 0;
    std::int32_t jammer20 = 0;
    std::int32_t jammer30 = 0;
    std::int32_t jammer50 = 0;
    std::int32_t computer = 0;
    std::int32_t superComputer = 0;
    std::int32_t nexus = 0;
    int torpedo = -1; // torpedo list position, -1 while none is chosen
};

struct JammersOutcome {
    // The accuracy sentence, a notice, or nothing while no weapon is chosen (the panel keeps its text).
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

// The jammers' combined strength J, held in single precision.
Single jammingStrength(std::int32_t jammer10, std::int32_t jammer20, std::int32_t jammer30,
                       std::int32_t jammer50);

// The battle computers' combined strength B, held in single precision.
Single computerStrength(std::int32_t computer, std::int32_t superComputer, std::int32_t nexus);

struct TorpedoAccuracy {
    std::int64_t accuracy = 0; // percent
    std::int64_t change = 0;   // percent against the base accuracy
    bool increase = false;
    friend bool operator==(const TorpedoAccuracy&, const TorpedoAccuracy&) = default;
};

// The accuracy of a weapon of base accuracy `base` percent; equal strengths count as jamming.
TorpedoAccuracy torpedoAccuracy(std::int32_t base, Single jamming, Single computing);

JammersOutcome computeJammers(const JammersInputs& inputs);

// "The torpedo will have an accuracy of <a> %. that's a decrease of <c> %." (or "an increase of")
std::string accuracySentence(const TorpedoAccuracy& result);

} // namespace kc::pages
