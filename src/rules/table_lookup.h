#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace kc::rules {

// A table entry by list position. Positions with no entry (no selection, an item appended twice by unlocking)
// give nothing, never a neighbouring figure.
template <typename T, std::size_t N>
constexpr std::optional<T> entryAt(const std::array<T, N>& table, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= N)
        return std::nullopt;
    return table[static_cast<std::size_t>(position)];
}

} // namespace kc::rules
