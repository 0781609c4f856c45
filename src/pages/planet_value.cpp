#include "pages/planet_value.h"

#include "core/checked_math.h"
#include "core/extended.h"
#include "core/number_format.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"
#include "rules/gravity.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kc::pages {

namespace {

constexpr std::int64_t kCloseWeight = 45; // the stat lies in the inner half of its range
constexpr std::int64_t kFarWeight = 33;

std::uint8_t onScale(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, kLowestPosition, kHighestPosition));
}

int halfWidth(const HabRange& range) {
    return (range.hi - range.lo) / 2;
}

bool inside(std::int64_t stat, const HabRange& range) {
    return stat >= range.lo && stat <= range.hi;
}

// How far a stat lies from the centre of its range, as a fraction of the half-width; held in single
// precision as the game holds it.
Single offCentre(std::int64_t stat, const HabRange& range) {
    const std::int64_t distance = std::abs(stat - (range.lo + halfWidth(range)));
    return toSingle(divide(static_cast<Extended>(distance), halfWidth(range)));
}

// One axis of the value. An immune axis has no stat that matters and counts as sitting at its range's centre.
struct Axis {
    bool immune;
    std::int64_t stat;
    const HabRange& range;

    bool outside() const { return !immune && !inside(stat, range); }
    Single f() const { return immune ? Single{0} : offCentre(stat, range); }
};

std::int64_t weightOf(Single f) {
    return f >= 0.5F ? kFarWeight : kCloseWeight;
}

RangeDrawing drawRange(const HabRange& range, std::string lowText, std::string highText) {
    return {rangeBar(range), std::move(lowText), std::move(highText)};
}

std::string temperatureText(int position) {
    return intToStr(4 * static_cast<std::int64_t>(position) - 200);
}

} // namespace

bool shiftRangeDown(HabRange& range) {
    if (range.lo == kLowestPosition)
        return false;
    --range.lo;
    --range.hi;
    return true;
}

bool shiftRangeUp(HabRange& range) {
    if (range.hi == kHighestPosition)
        return false;
    ++range.lo;
    ++range.hi;
    return true;
}

// The three tests run in turn, each on the ends the one before left. Widths stay even from the start of
// 15 .. 85, so the ends never pass 0 or 100; the clamp only keeps an odd width inside the scale.
bool widenRange(HabRange& range) {
    const HabRange before = range;
    if (range.lo == kLowestPosition && range.hi != kHighestPosition)
        range.hi = onScale(range.hi + 2);
    if (range.lo != kLowestPosition && range.hi == kHighestPosition)
        range.lo = onScale(range.lo - 2);
    if (range.lo != kLowestPosition && range.hi != kHighestPosition) {
        range.lo = onScale(range.lo - 1);
        range.hi = onScale(range.hi + 1);
    }
    return range != before;
}

bool narrowRange(HabRange& range) {
    if ((range.hi - range.lo - 2) / 2 < 1)
        return false;
    ++range.lo;
    --range.hi;
    return true;
}

std::string gravityText(std::string_view gravLow, std::string_view gravHigh, int position) {
    const std::optional<std::int32_t> hundredths = rules::gravityHundredths(gravLow, gravHigh, position);
    return hundredths ? formatGeneral(divide(*hundredths, 100)) : std::string();
}

BarGeometry rangeBar(const HabRange& range) {
    return {kTrackLeft + kPixelsPerStep * range.lo, kPixelsPerStep * (range.hi - range.lo)};
}

StatsDrawing drawStats(const HabRanges& ranges, std::string_view gravLow, std::string_view gravHigh) {
    const HabRange& g = ranges.gravity;
    const HabRange& t = ranges.temperature;
    const HabRange& r = ranges.radiation;
    return {
        drawRange(g, gravityText(gravLow, gravHigh, g.lo), gravityText(gravLow, gravHigh, g.hi)),
        drawRange(t, temperatureText(t.lo), temperatureText(t.hi)),
        drawRange(r, intToStr(r.lo), intToStr(r.hi)),
    };
}

std::int64_t temperaturePosition(std::int64_t celsius) {
    return intDiv(celsius + 200, 4);
}

PlanetValueOutcome computePlanetValue(const PlanetValueInputs& in) {
    PlanetValueOutcome out;
    out.failure = captureFailure([&] {
        const Axis gravity{in.gravityImmune, in.gravityPosition, in.ranges.gravity};
        const Axis temperature{in.temperatureImmune,
                               in.temperatureImmune ? 0 : temperaturePosition(strToInt(in.temperatureText)),
                               in.ranges.temperature};
        const Axis radiation{in.radiationImmune, in.radiationImmune ? 0 : strToInt(in.radiationText),
                             in.ranges.radiation};
        if (gravity.outside() || temperature.outside() || radiation.outside()) {
            out.resultText = kNegativePlanet;
            return;
        }

        const Single fGravity = gravity.f();
        const Single fTemperature = temperature.f();
        const Single fRadiation = radiation.f();
        const std::int64_t k = intDiv(weightOf(fGravity) + weightOf(fTemperature) + weightOf(fRadiation), 3);
        const Extended sum = add(add(fGravity, fTemperature), fRadiation);
        out.resultText = planetValueSentence(roundToInt(subtract(100, multiply(sum, k))));
    });
    return out;
}

std::string planetValueSentence(std::int64_t value) {
    return "Planet's Value is : " + intToStr(value) + "%";
}

} // namespace kc::pages
