#include "pages/ground_combat.h"

#include "core/checked_math.h"
#include "core/number_format.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

namespace kc::pages {

namespace {

// Each attacker fights with 1.1 times a defender's strength, half as much again for a War Monger race; each
// defender of an Inner Strength race counts twice. The attack factor in twentieths keeps the strengths
// exact when they are compared.
constexpr Extended kAttackFactor = 1.1L;
constexpr Extended kAttackTwentieths = 22;
constexpr Extended kWarMongerAttackTwentieths = 33;

std::string wholeNumber(Extended value) {
    return formatFixed(value, 0);
}

} // namespace

GroundCombatOutcome computeGroundCombat(const GroundCombatInputs& in) {
    GroundCombatOutcome out;
    out.failure = captureFailure([&] {
        const double attackers = toDouble(strToFloat(in.attackers));
        const double defenders = toDouble(strToFloat(in.defenders));
        const double coverage = toDouble(divide(strToFloat(in.coverage), 100));

        // Full coverage kills three quarters of the invaders before they land.
        const double landed = toDouble(multiply(subtract(1, multiply(0.75L, coverage)), attackers));
        out.killed = "Killed by Defences: " + wholeNumber(subtract(attackers, landed));

        const double attack = toDouble(multiply(in.attackerIsWarMonger ? 1.5L : 1, kAttackFactor));
        const double defense = in.defenderIsInnerStrength ? 2 : 1;
        // Both products are exact in the extended format, so a true tie is seen as one: it goes to the
        // defender.
        const Extended defenseStrength = 20 * defense * static_cast<Extended>(defenders);
        const Extended attackStrength =
            (in.attackerIsWarMonger ? kWarMongerAttackTwentieths : kAttackTwentieths) * landed;
        double left = 0;
        if (defenseStrength >= attackStrength) {
            out.winner = "Defender wins";
            left = toDouble(subtract(defenders, multiply(divide(attack, defense), landed)));
        } else {
            out.winner = "Attacker wins";
            left = toDouble(subtract(landed, multiply(divide(defense, attack), defenders)));
        }
        out.survivors = "PopLeft: " + wholeNumber(left);
    });
    return out;
}

} // namespace kc::pages
