#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"
#include "rules/scanner_ranges.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The combined scanner range of a ship or fleet: every scanner adds the fourth power of its range, and the
// fleet sees as far as the fourth root of the sum.
namespace kc::pages {

// A row of catalogue scanners: how many, and of which type.
struct CatalogueScannerRow {
    std::int32_t count = 0;
    int scanner = -1; // scanner list position, -1 while none is chosen
};

// A row of scanners whose ranges the user types.
struct TypedScannerRow {
    std::int32_t count = 0;
    std::int32_t standard = 0;
    std::int32_t penetrating = 0;
};

struct ScanningInputs {
    std::array<CatalogueScannerRow, 3> catalogueRows{};
    std::array<TypedScannerRow, 2> typedRows{};
    // The hull's built-in scanner of a Jack of all trades race.
    bool builtInScanner = false;
    std::int32_t electronicsTech = 3;
    bool noAdvancedScanners = false;
};

struct ScanningRanges {
    std::int64_t standard = 0;
    std::int64_t penetrating = 0;
};

struct ScanningOutcome {
    std::optional<ScanningRanges> ranges;
    std::optional<RuntimeError> failure;
};

// A catalogue row without a scanner type adds nothing, whatever its count.
ScanningOutcome computeScanning(const rules::ScannerRangeTable& table, const ScanningInputs& inputs);

// `sum` with `term` added `count` times, each addition rounded to single precision; a count of 0 or less adds
// nothing. Quick for any count, with the loop's exact result.
Single addRepeatedly(Single sum, Extended term, std::int64_t count);

// "This Ship/Fleet has a total scanner range of : <standard> / <penetrating> ly"
std::string scannerRangeSentence(const ScanningRanges& ranges);

// What the result label shows: the sentence once the ranges are worked out.
std::optional<std::string> scanningResultText(const ScanningOutcome& outcome);

} // namespace kc::pages
