#include "rules/gravity.h"

#include "core/text_conversion.h"

#include <array>

namespace kc::rules {
namespace {

constexpr std::size_t kGroupWidth = 3;

constexpr std::array<int, kGravLowEntries> kGravLowValues{
    12, 12, 13, 13, 14, 14, 15, 15, 16, 17, 17, 18, 19, 20, 21, 22, 24, 25, 27, 29, 31, 33, 36, 40, 44,
    50, 51, 52, 53, 54, 55, 56, 58, 59, 60, 62, 64, 65, 67, 69, 71, 73, 75, 78, 80, 83, 86, 89, 92, 96,
};

void appendGroup(std::string& text, int value) {
    const char digits[] = {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                           static_cast<char>('0' + value % 10)};
    text.append(digits, kGroupWidth);
}

} // namespace

void fillGravLow(std::string& gravLow) {
    gravLow.clear();
    for (const int value : kGravLowValues)
        appendGroup(gravLow, value);
}

// 1.00 g to 2.00 g in steps of 0.04 g, then on to 8.00 g in steps of 0.24 g.
void fillGravHigh(std::string& gravHigh) {
    gravHigh.clear();
    for (int value = 100; value <= 200; value += 4)
        appendGroup(gravHigh, value);
    for (int value = 224; value <= 800; value += 24)
        appendGroup(gravHigh, value);
}

std::optional<std::int32_t> digitGroup(std::string_view text, int entry) {
    if (entry < 0 || (static_cast<std::size_t>(entry) + 1) * kGroupWidth > text.size())
        return std::nullopt;
    return strToInt(text.substr(static_cast<std::size_t>(entry) * kGroupWidth, kGroupWidth));
}

std::optional<std::int32_t> gravityHundredths(std::string_view gravLow, std::string_view gravHigh,
                                              int position) {
    if (position < 0 || position >= kGravityPositionCount)
        return std::nullopt;
    if (position < kGravLowEntries)
        return digitGroup(gravLow, position);
    return digitGroup(gravHigh, position - kGravLowEntries);
}

} // namespace kc::rules
