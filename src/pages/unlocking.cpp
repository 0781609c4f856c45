#include "pages/unlocking.h"

#include <algorithm>

namespace kc::pages {

std::string lowerAsciiLetters(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

std::optional<int> findHiddenItem(const std::vector<std::string>& hiddenItems, std::string_view typed) {
    const std::string lowered = lowerAsciiLetters(typed);
    const auto found = std::find(hiddenItems.begin(), hiddenItems.end(), lowered);
    if (found == hiddenItems.end())
        return std::nullopt;
    return static_cast<int>(found - hiddenItems.begin());
}

std::vector<std::string_view> unlockTargets(int position) {
    switch (position) {
    case 0: // the engine: the fuel page, then the battle speed page
        return {"cmbFuelEngine", "cmbEngine"};
    case 7: // the beam weapon: the beam weapons page, then the minefield page
        return {"cmbDamageWeapon", "cmbWeapon"};
    case 11: // the torpedo: the jammers page
        return {"cmbTorpType"};
    default:
        return {};
    }
}

std::string unlockSucceededText(std::string_view typed) {
    return "UNLOCK successfull - " + std::string(typed) + " unlocked";
}

} // namespace kc::pages
