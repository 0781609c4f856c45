#include "rules/torpedoes.h"

#include "rules/table_lookup.h"

namespace kc::rules {

std::optional<std::int32_t> GetTorp(int position) {
    return entryAt(TorpAccuracy, position);
}

} // namespace kc::rules
