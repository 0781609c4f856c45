#include "rules/game_tables.h"

namespace kc::rules {

void InitArrays(GameTables& /*tables*/, std::vector<std::string>& /*hiddenItems*/) {}

} // namespace kc::rules
