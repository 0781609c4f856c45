#include "core/text_conversion.h"

#include "core/c_numbers.h"
#include "core/runtime_error.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kc {

namespace {

char gDecimalSeparator = '.';

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Appends the run of decimal digits at text[pos] to out and returns how many there were.
std::size_t copyDigits(std::string_view text, std::size_t& pos, std::string& out) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) {
        out += text[pos++];
    }
    return pos - start;
}

} // namespace

char decimalSeparator() {
    return gDecimalSeparator;
}

void setDecimalSeparator(char separator) {
    gDecimalSeparator = separator;
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        pos += 1;
    } else if (text.substr(pos, 2) == "0x" || text.substr(pos, 2) == "0X") {
        base = 16;
        pos += 2;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    // Hexadecimal covers the full 32 bits and wraps into the negatives; decimal must fit the signed range.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = base == 16 ? hexValue(text[pos]) : (isDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) {
            return std::nullopt;
        }
    }
    const std::uint32_t bits = static_cast<std::uint32_t>(negative ? 0 - value : value);
    return static_cast<std::int32_t>(bits);
}

std::int32_t strToInt(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value) {
        raiseNotAnInteger(std::string(text));
    }
    return *value;
}

std::optional<Extended> parseReal(std::string_view text) {
    std::size_t pos = 0;
    std::size_t end = text.size();
    while (pos < end && text[pos] == ' ') {
        ++pos;
    }
    while (end > pos && text[end - 1] == ' ') {
        --end;
    }
    text = text.substr(0, end);

    // The text is checked against the runtime's grammar while a "C"-locale copy is built, so strtold never
    // sees the hexadecimal, infinity or NaN forms it would accept on its own.
    std::string normal;
    normal.reserve(text.size() - pos);
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        normal += text[pos++];
    }
    std::size_t mantissaDigits = copyDigits(text, pos, normal);
    if (pos < text.size() && text[pos] == gDecimalSeparator) {
        normal += '.';
        ++pos;
        mantissaDigits += copyDigits(text, pos, normal);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        normal += 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            normal += text[pos++];
        }
        if (copyDigits(text, pos, normal) == 0) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    // Correctly rounded; an underflow gives a denormal or zero, which the runtime accepts.
    const Extended value = cStrtold(normal.c_str());
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

Extended strToFloat(std::string_view text) {
    const auto value = parseReal(text);
    if (!value) {
        raiseNotAReal(std::string(text));
    }
    return *value;
}

std::string intToStr(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace kc
