#include "rules/bomb_table.h"

#include "rules/table_lookup.h"

namespace kc::rules {

// The rates are single-precision literals so each is the single nearest its decimal.
void fillBombTable(BombRecords& table) {
    table = {
        makeBombRecord(0.006f, 2, 300),  // Lady Finger
        makeBombRecord(0.009f, 4, 300),  // Black Cat
        makeBombRecord(0.012f, 6, 300),  // M-70
        makeBombRecord(0.017f, 7, 300),  // M-80
        makeBombRecord(0.025f, 10, 300), // Cherry
        makeBombRecord(0.002f, 16, 0),   // LBU-17
        makeBombRecord(0.003f, 28, 0),   // LBU-32
        makeBombRecord(0.004f, 45, 0),   // LBU-74
        makeBombRecord(0.0f, 0, 2000),   // Orbital Colony Module (AR)
    };
}

std::optional<BombRecord> bombRecord(const BombRecords& table, int position) {
    return entryAt(table, position);
}

} // namespace kc::rules
