#pragma once

// The game's component figures, indexed by an item's position in its page's drop-down list (0 for the first
// item). Where unlocking can append an item to a list, the table already holds its entry. The tables below
// are filled once at start-up by InitArrays and read-only afterwards; EngineSpeed, WeaponPower, WeaponRange,
// RepairRate and TorpAccuracy are constants from the start. Every lookup returns nothing for a position
// without an entry (no selection, an item appended twice), so no page reads outside a table.

#include "rules/bomb_table.h"
#include "rules/engine_speed.h"
#include "rules/fuel_table.h"
#include "rules/gravity.h"
#include "rules/hidden_items.h"
#include "rules/repair_rate.h"
#include "rules/scanner_ranges.h"
#include "rules/torpedoes.h"
#include "rules/weapons.h"

#include <string>
#include <vector>

namespace kc::rules {

struct GameTables {
    FuelFactors FuelTable{};           // read with fuelFactor
    ScannerRangeTable ScannerRanges{}; // read with scannerRange
    BombRecords BombTable{};           // read with bombRecord
    std::string GravLow;               // read with gravityHundredths
    std::string GravHigh;
};

// Fills the tables and appends the hidden item names to `hiddenItems`, the list the window owns.
void InitArrays(GameTables& tables, std::vector<std::string>& hiddenItems);

} // namespace kc::rules
