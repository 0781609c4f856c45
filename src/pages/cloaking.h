#pragma once

#include "core/runtime_error.h"
#include "storage/cloak_designs.h"

#include <optional>
#include <string>

// How well a fleet of the stored designs is cloaked, as the cloaking page shows it.
namespace kc::pages {

struct CloakingOutcome {
    // "The Fleet is <percent> % cloaked", or a short notice when there is no percentage.
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

CloakingOutcome computeCloaking(const storage::CloakDesigns& designs);

} // namespace kc::pages
