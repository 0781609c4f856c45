#pragma once

#include <string>
#include <vector>

// The game's component figures, filled once at start-up by InitArrays and read-only afterwards. Tables are
// indexed by an item's position in its page's drop-down list.
namespace kc::rules {

struct GameTables {};

// Fills the tables and appends the hidden item names to `hiddenItems`.
void InitArrays(GameTables& tables, std::vector<std::string>& hiddenItems);

} // namespace kc::rules
