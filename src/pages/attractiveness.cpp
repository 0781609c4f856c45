#include "pages/attractiveness.h"

#include "core/checked_math.h"
#include "core/number_format.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

namespace kc::pages {

namespace {

constexpr int kShownDigits = 4;
// Each beam deflector takes a tenth off every beam hit.
constexpr Extended kDeflectorPassThrough = 0.9L;

Extended shotsToBreak(std::int32_t armor, std::int32_t shields, Extended accuracy, int armorShare) {
    // While the shields last a hit splits its damage evenly between them and the armor, so armor they cover
    // takes twice its points of damage; armor beyond the shields takes damage whole, a missile's doubled.
    if (shields >= armor)
        return divide(2 * static_cast<Extended>(armor), accuracy);
    const Extended behindShields = static_cast<Extended>(std::int64_t{armor} - shields);
    return add(divide(2 * static_cast<Extended>(shields), accuracy),
               divide(behindShields, multiply(armorShare, accuracy)));
}

// The punishment the design takes: its armor and shields as the weapon meets them, raised by the deflectors
// against beams and by the misses of torpedoes and missiles (`accuracy` is the fraction that hits). Zero
// when no weapon is chosen or nothing hits.
Extended defenseValue(std::optional<WeaponType> weapon, std::int32_t armor, std::int32_t shields,
                      std::int32_t deflectors, double accuracy) {
    if (!weapon)
        return 0;
    switch (*weapon) {
    case WeaponType::Beam:
        return divide(static_cast<Extended>(std::int64_t{armor} + shields),
                      powerInt(kDeflectorPassThrough, deflectors));
    case WeaponType::Sapper:
        return divide(shields, powerInt(kDeflectorPassThrough, deflectors));
    case WeaponType::Torpedo:
        return accuracy != 0 ? shotsToBreak(armor, shields, accuracy, 1) : 0;
    case WeaponType::Missile:
        return accuracy != 0 ? shotsToBreak(armor, shields, accuracy, 2) : 0;
    }
    return 0;
}

} // namespace

AttractivenessOutcome computeAttractiveness(const AttractivenessInputs& in) {
    AttractivenessOutcome out;
    out.failure = captureFailure([&] {
        const std::int32_t resources = strToInt(in.resources);
        const std::int32_t boranium = strToInt(in.boranium);
        const std::int32_t armor = strToInt(in.armor);
        const std::int32_t shields = strToInt(in.shields);
        const std::int32_t deflectors = strToInt(in.deflectors);
        const double accuracy = toDouble(divide(strToFloat(in.accuracy), 100));

        if (in.weapon)
            out.deflectorsApply = *in.weapon == WeaponType::Beam || *in.weapon == WeaponType::Sapper;
        out.attractiveness = std::string();

        const Extended cost = static_cast<Extended>(std::int64_t{resources} + boranium);
        const Extended defense = defenseValue(in.weapon, armor, shields, deflectors, accuracy);
        if (defense == 0)
            return;
        const Extended attractiveness = divide(cost, defense);
        if (attractiveness != 0)
            out.attractiveness = formatGeneral(attractiveness, kShownDigits);
    });
    return out;
}

} // namespace kc::pages
