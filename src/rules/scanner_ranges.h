#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The ranges of each catalogue scanner, read by the scanning page.
namespace kc::rules {

struct ScannerRange {
    std::int32_t standard;    // light years
    std::int32_t penetrating; // light years
    friend bool operator==(const ScannerRange&, const ScannerRange&) = default;
};

inline constexpr int kScannerCount = 16;

// By position in the scanning page's scanner lists.
using ScannerRangeTable = std::array<ScannerRange, kScannerCount>;

void fillScannerRanges(ScannerRangeTable& table);

// The ranges of the scanner at a list position; nothing when no scanner is selected.
std::optional<ScannerRange> scannerRange(const ScannerRangeTable& table, int position);

} // namespace kc::rules
