#pragma once

#include <cstdint>
#include <string>

// The damage a ship takes when it jumps between two stargates: a gate sends safely only ships up to its mass
// limit over distances up to its range limit; beyond either the ship is hurt, in each direction.
namespace kc::pages {

struct OvergatingInputs {
    int gateA = -1; // list positions, -1 while none is chosen
    int gateB = -1;
    std::int32_t weight = 0;   // kT
    std::int32_t distance = 0; // ly
};

struct OvergatingOutcome {
    std::string aToB; // "<percent>%", or a notice while a gate is missing
    std::string bToA;
};

OvergatingOutcome computeOvergating(const OvergatingInputs& inputs);

} // namespace kc::pages
