#include "core/number_format.h"

#include "core/text_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kc {

namespace {

constexpr int kSignificantDigits = 18;

// A magnitude as 0.d1d2... x 10^exponent with no leading zero digit; no digits at all is zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// The value correctly rounded to 18 significant digits, the form every format starts from.
Decimal toEighteenDigits(Extended magnitude) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kSignificantDigits - 1, magnitude);
    Decimal d;
    const char* p = buffer;
    // Whatever decimal point the process locale puts after the first digit is skipped.
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.digits += *p;
        }
    }
    d.exponent = std::atoi(p + 1) + 1;
    return d;
}

// Keeps the first `count` digits (0 <= count), rounding half away from zero on the next one. A carry out of
// the first digit shifts the exponent. Returns an empty digit string when the value rounds to zero.
Decimal roundTo(const Decimal& d, int count) {
    if (count >= static_cast<int>(d.digits.size())) {
        return d;
    }
    Decimal r{d.digits.substr(0, count), d.exponent};
    if (d.digits[count] < '5') {
        return r;
    }
    int i = count - 1;
    while (i >= 0 && r.digits[i] == '9') {
        r.digits[i--] = '0';
    }
    if (i >= 0) {
        ++r.digits[i];
    } else {
        // All nines (or nothing kept): the value becomes the next power of ten.
        r.digits.assign(std::max(count, 1), '0');
        r.digits[0] = '1';
        ++r.exponent;
    }
    return r;
}

// The digit at decimal position `index` counted from the first significant one; zeros outside the digits.
char digitAt(const Decimal& d, int index) {
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
}

std::string nonFinite(Extended value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    return value < 0 ? "-INF" : "INF";
}

} // namespace

std::string formatGeneral(Extended value, int precision) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    if (value == 0) {
        return "0";
    }
    precision = std::clamp(precision, 1, kSignificantDigits);
    Decimal d = roundTo(toEighteenDigits(std::fabs(value)), precision);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    const int count = static_cast<int>(d.digits.size());
    const char separator = decimalSeparator();

    std::string text = value < 0 ? "-" : "";
    if (d.exponent > precision || d.exponent < -3) {
        text += d.digits[0];
        if (count > 1) {
            text += separator;
            text.append(d.digits, 1);
        }
        text += 'E';
        text += std::to_string(d.exponent - 1);
    } else if (d.exponent <= 0) {
        text += '0';
        text += separator;
        text.append(-d.exponent, '0');
        text += d.digits;
    } else {
        for (int i = 0; i < d.exponent; ++i) {
            text += digitAt(d, i);
        }
        if (count > d.exponent) {
            text += separator;
            text.append(d.digits, d.exponent);
        }
    }
    return text;
}

std::string formatFixed(Extended value, int decimals) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    decimals = std::clamp(decimals, 0, kSignificantDigits);
    Decimal d;
    if (value != 0) {
        d = toEighteenDigits(std::fabs(value));
        // The significant digits down to the last decimal shown; with none, the value rounds to zero or to
        // one unit of that decimal.
        const int kept = d.exponent + decimals;
        d = kept < 0 ? Decimal{} : roundTo(d, kept);
    }
    const bool zero = d.digits.empty();

    std::string text = value < 0 && !zero ? "-" : "";
    if (d.exponent <= 0 || zero) {
        text += '0';
    } else {
        for (int i = 0; i < d.exponent; ++i) {
            text += digitAt(d, i);
        }
    }
    if (decimals > 0) {
        text += decimalSeparator();
        for (int i = 0; i < decimals; ++i) {
            text += zero ? '0' : digitAt(d, d.exponent + i);
        }
    }
    return text;
}

} // namespace kc
