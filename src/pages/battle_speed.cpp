#include "pages/battle_speed.h"

#include "core/checked_math.h"
#include "pages/calculation_failure.h"
#include "rules/engine_speed.h"

#include <array>

namespace kc::pages {

namespace {

struct SpeedStep {
    std::int64_t from; // thousandths of a square, rounded
    const char* steps;
};

// Each step starts halfway to the one below it; anything slower, however heavy the ship, is half a square.
constexpr std::array<SpeedStep, 8> kSpeedSteps{{
    {2375, "2_1/2"},
    {2125, "2_1/4"},
    {1875, "2"},
    {1625, "1_3/4"},
    {1375, "1_1/2"},
    {1125, "1_1/4"},
    {875, "1"},
    {625, "3/4"},
}};

// The squares a round lost to the ship's weight, shared by its engines. No engines fail here, before the
// engine itself matters.
Extended weightPenalty(const BattleSpeedInputs& in) {
    // Up to 2147483647 + 5000000 and more when typed: summed at full width.
    const std::int64_t weight = static_cast<std::int64_t>(in.emptyWeight) + in.freightWeight;
    return divide(divide(divide(static_cast<Extended>(weight), 70), 4), in.engines);
}

Extended squaresPerRound(std::int32_t engineSpeed, Extended penalty, const BattleSpeedInputs& in) {
    Extended speed = subtract(divide(static_cast<Extended>(engineSpeed - 2), 4), penalty);
    speed = add(speed, multiply(0.25L, in.maneuveringJets));
    return add(speed, multiply(0.5L, in.overthrusters));
}

// The quarter-square step, "1/2" to "2_1/2".
std::string movementSteps(std::int64_t thousandths) {
    for (const SpeedStep& step : kSpeedSteps)
        if (thousandths >= step.from)
            return step.steps;
    return "1/2";
}

} // namespace

BattleSpeedOutcome computeBattleSpeed(const BattleSpeedInputs& in) {
    BattleSpeedOutcome out;
    out.failure = captureFailure([&] {
        const Extended penalty = weightPenalty(in);
        const std::optional<std::int32_t> engineSpeed = rules::GetEngineSpeed(in.engine);
        if (in.engine < 0) {
            out.text = "Select an engine";
        } else if (!engineSpeed) {
            out.text = "No figures for this engine";
        } else {
            out.thousandths = roundToInt(multiply(squaresPerRound(*engineSpeed, penalty, in), 1000));
            out.text = battleSpeedSentence(movementSteps(*out.thousandths));
        }
    });
    return out;
}

std::string battleSpeedSentence(const std::string& steps) {
    return "Movement in battle is : " + steps + " square(s) a round.";
}

} // namespace kc::pages
