#pragma once

#include <functional>

namespace kc::parser::testing {

// The number of allocations through operator new while `action` runs.
long countAllocations(const std::function<void()>& action);

} // namespace kc::parser::testing
