#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Three independent minefield figures: the mines a fleet sweeps a year, the mines a field loses a year, and
// the size a field reaches when mines are laid at a steady rate until its decay outgrows the laying.
namespace kc::pages {

struct MineSweepInputs {
    int weapon = -1; // beam weapon list position, -1 while none is chosen
    std::int32_t ships = 0;
};

struct DecayRateInputs {
    bool spaceDemolition = false; // the Space Demolition primary racial trait
    std::int32_t mines = 300;
    std::int32_t planets = 0;
};

struct MaximumDiameterInputs {
    bool spaceDemolition = false;
    std::int32_t minesPerYear = 300;
    std::int32_t planets = 0;
};

// A field's yearly decay in per cent: 1, plus 4 a planet in the field (1 a planet with Space Demolition),
// never above 50.
std::int64_t decayPercent(bool spaceDemolition, std::int32_t planets);
// The same with one point more without Space Demolition, as a growing field decays.
std::int64_t growingFieldDecayPercent(bool spaceDemolition, std::int32_t planets);

// The sweep sentence; nothing while no weapon is chosen, a notice for a list position without figures.
std::optional<std::string> computeMineSweep(const MineSweepInputs& inputs);

// "The decay rate is : <mines>mines ( <percent> % )"
std::string computeDecayRate(const DecayRateInputs& inputs);

// "The maximum Field Diameter is approximally <ly> ly ( <mines> mines )", or a notice for inputs that never
// give a field.
std::string computeMaximumDiameter(const MaximumDiameterInputs& inputs);

} // namespace kc::pages
