#include "rules/engine_speed.h"

#include "rules/table_lookup.h"

namespace kc::rules {

std::optional<std::int32_t> GetEngineSpeed(int position) {
    return entryAt(EngineSpeed, position);
}

} // namespace kc::rules
