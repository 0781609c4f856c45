#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// How far a ship moves in one round of battle: its engine's speed figure, less a weight penalty shared by its
// engines, plus a quarter square per maneuvering jet and half a square per overthruster, put into one of nine
// quarter-square steps from a half square to two and a half squares.
namespace kc::pages {

struct BattleSpeedInputs {
    int engine = -1; // engine list position, -1 while none is chosen
    std::int32_t engines = 1;
    std::int32_t maneuveringJets = 0;
    std::int32_t overthrusters = 0;
    std::int32_t emptyWeight = 1;   // kt
    std::int32_t freightWeight = 0; // kt
};

struct BattleSpeedOutcome {
    // The speed in thousandths of a square, rounded half to even (624.5 is still a half square, 625.5 three
    // quarters); present once worked out.
    std::optional<std::int64_t> thousandths;
    // The movement sentence, or a short notice of what is missing for one.
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

BattleSpeedOutcome computeBattleSpeed(const BattleSpeedInputs& inputs);

// "Movement in battle is : <steps> square(s) a round."
std::string battleSpeedSentence(const std::string& steps);

} // namespace kc::pages
