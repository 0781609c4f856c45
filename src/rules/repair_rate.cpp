#include "rules/repair_rate.h"

#include "core/checked_math.h"
#include "rules/table_lookup.h"

namespace kc::rules {

std::optional<Single> getRepairRate(int position, FuelTransports transports) {
    const auto rate = entryAt(RepairRate, position);
    if (!rate)
        return std::nullopt;
    // A Super Fuel Xport's bonus replaces a Fuel Transport's rather than adding to it.
    if (transports.superFuelXport)
        return toSingle(add(*rate, 0.1L));
    if (transports.fuelTransport)
        return toSingle(add(*rate, 0.05L));
    return *rate;
}

} // namespace kc::rules
