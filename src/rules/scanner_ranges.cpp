#include "rules/scanner_ranges.h"

#include "rules/table_lookup.h"

namespace kc::rules {

void fillScannerRanges(ScannerRangeTable& table) {
    table = {{
        {0, 0},     // Bat
        {50, 0},    // Rhino
        {100, 0},   // Mole
        {125, 0},   // DNA
        {150, 0},   // Possum
        {80, 0},    // Pick-Pocket
        {160, 45},  // Chameleon
        {185, 50},  // Ferret
        {220, 100}, // Dolphin
        {225, 0},   // Gazelle
        {230, 0},   // RNA
        {275, 0},   // Cheetah
        {300, 200}, // Elephant
        {335, 0},   // Eagle-Eye
        {220, 120}, // Robber Barron
        {500, 0},   // Peerless
    }};
}

std::optional<ScannerRange> scannerRange(const ScannerRangeTable& table, int position) {
    return entryAt(table, position);
}

} // namespace kc::rules
