#include "pages/overgating.h"

#include "core/text_conversion.h"
#include "rules/table_lookup.h"

#include <array>
#include <optional>

namespace kc::pages {

namespace {

// Gate limits by list position, -1 for none: "100/250", "any/300", "150/600", "300/500", "100/any",
// "any/800", "any/any".
constexpr std::int32_t kNone = -1;
constexpr std::array<std::int32_t, 7> kGateMassLimit{100, kNone, 150, 300, 100, kNone, kNone}; // kT
constexpr std::array<std::int32_t, 7> kGateRangeLimit{250, 300, 600, 500, kNone, 800, kNone};  // ly

// Damage is worked out exactly, so a figure such as 29 % is never shown as 28 % through rounding. Every
// value is a fraction over a positive denominator. With weights, distances and limits anywhere in 32 bits,
// the largest numerator, 100 (den - num) of the final product, stays below 2^110 and the largest denominator
// below 2^99: 128 bits hold every step without reducing.
struct Fraction {
    __int128 num;
    __int128 den;
};

constexpr Fraction kOne{1, 1};

Fraction times(Fraction a, Fraction b) {
    return {a.num * b.num, a.den * b.den};
}

Fraction oneMinus(Fraction a) {
    return {a.den - a.num, a.den};
}

struct Gate {
    std::int32_t massLimit;
    std::int32_t rangeLimit;
    bool hasMassLimit() const { return massLimit != kNone; }
    bool hasRangeLimit() const { return rangeLimit != kNone; }
};

std::optional<Gate> gateAt(int position) {
    const auto mass = rules::entryAt(kGateMassLimit, position);
    const auto range = rules::entryAt(kGateRangeLimit, position);
    if (!mass || !range)
        return std::nullopt;
    return Gate{*mass, *range};
}

// The share of the ship that survives the sender's range: (5 r - D) / (4 r) beyond it, all of it within.
Fraction rangeSurvival(const Gate& sender, std::int32_t distance) {
    if (!sender.hasRangeLimit() || sender.rangeLimit >= distance)
        return kOne;
    return {5 * static_cast<__int128>(sender.rangeLimit) - distance,
            4 * static_cast<__int128>(sender.rangeLimit)};
}

// f(m) = (5 m - W) / (4 m), what survives one gate's mass limit.
Fraction massFactor(std::int32_t massLimit, std::int32_t weight) {
    return {5 * static_cast<__int128>(massLimit) - weight, 4 * static_cast<__int128>(massLimit)};
}

// The share that survives the mass limits of both gates, the same for both directions. A ship lighter than
// the only limited gate survives more than whole: it lowers the total damage.
Fraction massSurvival(const Gate& a, const Gate& b, std::int32_t weight) {
    if (a.hasMassLimit() && b.hasMassLimit()) {
        if (weight <= a.massLimit && weight <= b.massLimit)
            return kOne;
        return times(massFactor(a.massLimit, weight), massFactor(b.massLimit, weight));
    }
    if (a.hasMassLimit())
        return massFactor(a.massLimit, weight);
    if (b.hasMassLimit())
        return massFactor(b.massLimit, weight);
    return kOne;
}

// Mass damage + (1 - mass damage) x range damage is 1 - mass survival x range survival; shown in whole per
// cent from 0 to 100, truncated.
std::string damageText(Fraction massShare, Fraction rangeShare) {
    const Fraction damage = oneMinus(times(massShare, rangeShare));
    const __int128 hundredfold = 100 * damage.num;
    std::int64_t percent = 0;
    if (hundredfold > 100 * damage.den)
        percent = 100;
    else if (hundredfold > 0)
        percent = static_cast<std::int64_t>(hundredfold / damage.den);
    return intToStr(percent) + "%";
}

} // namespace

OvergatingOutcome computeOvergating(const OvergatingInputs& in) {
    const std::optional<Gate> a = gateAt(in.gateA);
    const std::optional<Gate> b = gateAt(in.gateB);
    if (!a || !b)
        return {"Select both gates", "Select both gates"};
    const Fraction massShare = massSurvival(*a, *b, in.weight);
    return {damageText(massShare, rangeSurvival(*a, in.distance)),
            damageText(massShare, rangeSurvival(*b, in.distance))};
}

} // namespace kc::pages
