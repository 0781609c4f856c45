#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A planet's habitability value for a race: the race's habitable range on each of three axes (gravity,
// temperature, radiation), the planet's three stats, and the value as a percentage. Every axis is a scale of
// positions 0 .. 100; the ranges are moved, widened and narrowed by buttons and drawn as bars on tracks.
namespace kc::pages {

inline constexpr int kLowestPosition = 0;
inline constexpr int kHighestPosition = 100;

// The tracks' left edge in the race group's pixels; each position step is two pixels.
inline constexpr int kTrackLeft = 104;
inline constexpr int kPixelsPerStep = 2;

// A race's habitable range on one axis, as the game keeps it: two unsigned 8-bit positions.
struct HabRange {
    std::uint8_t lo = 15;
    std::uint8_t hi = 85;
    friend bool operator==(const HabRange&, const HabRange&) = default;
};

struct HabRanges {
    HabRange gravity;
    HabRange temperature;
    HabRange radiation;
};

// The range buttons. Each returns whether the range changed.
// "<": both ends down by one, unless the lower end is at 0.
bool shiftRangeDown(HabRange& range);
// ">": both ends up by one, unless the upper end is at 100.
bool shiftRangeUp(HabRange& range);
// "<<    >>": two positions wider, on the side that has room (one on each side when both have).
bool widenRange(HabRange& range);
// ">>     <<": one position in from each end, refused when the half-width would drop below 1 (the value
// divides by it).
bool narrowRange(HabRange& range);

// The gravity of a position on the scale held in the two gravity tables, as the page writes it: in g, in the
// shortest form ("0.12", "1", "4.4"). Empty where the scale has no entry, rather than a figure of another
// position.
std::string gravityText(std::string_view gravLow, std::string_view gravHigh, int position);

// A range bar in the race group's pixels.
struct BarGeometry {
    int left = 0;
    int width = 0;
    friend bool operator==(const BarGeometry&, const BarGeometry&) = default;
};

BarGeometry rangeBar(const HabRange& range);

// One axis as redrawStats shows it: the bar and the texts of its two end labels.
struct RangeDrawing {
    BarGeometry bar;
    std::string lowText;
    std::string highText;
};

struct StatsDrawing {
    RangeDrawing gravity;
    RangeDrawing temperature;
    RangeDrawing radiation;
};

StatsDrawing drawStats(const HabRanges& ranges, std::string_view gravLow, std::string_view gravHigh);

// The temperature position of a temperature in degrees Celsius: (T + 200) / 4, truncated toward zero.
// Formed at 64 bits, so a huge typed temperature still lands far outside the scale.
std::int64_t temperaturePosition(std::int64_t celsius);

struct PlanetValueInputs {
    int gravityPosition = 50;            // the up-down's position
    std::string temperatureText = "140"; // degrees Celsius, as typed
    std::string radiationText = "40";    // mR, as typed
    HabRanges ranges;
    // An immune axis is perfectly habitable whatever its stat, and its stat is not read.
    bool gravityImmune = false;
    bool temperatureImmune = false;
    bool radiationImmune = false;
};

// The panel's new text: the value or "negative planet"; absent when a failure stopped the calculation, so
// the panel keeps its text.
struct PlanetValueOutcome {
    std::optional<std::string> resultText;
    std::optional<RuntimeError> failure;
};

PlanetValueOutcome computePlanetValue(const PlanetValueInputs& inputs);

inline constexpr const char* kNegativePlanet = "negative planet";

// "Planet's Value is : 47%"
std::string planetValueSentence(std::int64_t value);

} // namespace kc::pages
