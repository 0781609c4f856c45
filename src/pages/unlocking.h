#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Unlocking a hidden game item by its name: the name is matched in lower case against the hidden item list,
// and three of the items are appended to the drop-down lists of the pages that use them.
namespace kc::pages {

// The text with only "A" to "Z" lowered; every other byte (accented capitals included) stays as it is.
std::string lowerAsciiLetters(std::string_view text);

// The position in `hiddenItems` of the first entry that equals the lowered text byte for byte.
std::optional<int> findHiddenItem(const std::vector<std::string>& hiddenItems, std::string_view typed);

// The object names of the lists an unlocked item is appended to, in order; empty for the items that go to no
// list.
std::vector<std::string_view> unlockTargets(int position);

// The panel's texts.
inline constexpr std::string_view kUnlockFailedText = "UNLOCK failed - Item unknown";
std::string unlockSucceededText(std::string_view typed);

} // namespace kc::pages
