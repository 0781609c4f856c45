#pragma once

#include "core/runtime_error.h"

#include <optional>

namespace kc::pages {

// A page's calculation stops at its first failure, and what it worked out before that still shows. Outcomes
// therefore carry the values reached so far plus the failure that stopped them; this runs a calculation and
// hands back that failure instead of throwing it.
template <typename Calculation> std::optional<RuntimeError> captureFailure(Calculation&& calculation) {
    try {
        calculation();
    } catch (const RuntimeError& failure) {
        return failure;
    }
    return std::nullopt;
}

} // namespace kc::pages
