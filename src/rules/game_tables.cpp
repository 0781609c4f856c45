#include "rules/game_tables.h"

namespace kc::rules {

// The engine lists feed both the fuel and the battle speed pages, so both tables need a row per engine.
static_assert(EngineSpeed.size() == kFuelEngineCount);

void InitArrays(GameTables& tables, std::vector<std::string>& hiddenItems) {
    fillFuelTable(tables.FuelTable);
    fillScannerRanges(tables.ScannerRanges);
    fillBombTable(tables.BombTable);
    fillGravLow(tables.GravLow);
    fillGravHigh(tables.GravHigh);
    appendHiddenItems(hiddenItems);
}

} // namespace kc::rules
