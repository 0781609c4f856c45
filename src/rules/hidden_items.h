#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The game items that the unlocking page accepts. Unlocking searches them in this order and appends items 0
// (an engine), 7 (a beam weapon) and 11 (a torpedo) to page lists, each of which has a table entry ready.
namespace kc::rules {

inline constexpr std::array<std::string_view, 12> kHiddenItemNames{
    "mega poly shell", "enigma pulsar",  "alien miner",        "jump gate",
    "langston shell",  "genesis device", "multi function pod", "multi contained munition",
    "hush-a-boom",     "mini morph",     "multi cargo pod",    "anti matter torpedo",
};

// Appends the names, in order, after whatever the list already holds.
void appendHiddenItems(std::vector<std::string>& hiddenItems);

} // namespace kc::rules
