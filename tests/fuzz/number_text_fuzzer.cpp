// libFuzzer target: the runtime's number readers and formats against MPFR, an independent reader that rounds
// correctly at the extended format's 64-bit significand. The first byte picks what is checked:
//   0, 1  the real conversion of the rest (decimal separator "." or ","): a text the runtime's grammar takes
//   is
//         read as MPFR reads its digits, bit for bit; one it does not take is refused; a value beyond the
//         extended range is refused;
//   2     the integer conversion, against a plain reading of the same grammar in 128 bits;
//   3     the formats: an extended value (ten bytes) written in the general format (precision 1 to 18) and
//         in fixed notation (0 to 6 decimals), then read back: the text reads as the decimal the format
//         promises (the value rounded to 18 digits, then half away from zero to what is shown).
#include "core/number_format.h"
#include "core/text_conversion.h"

#include <mpfr.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void finding(const std::string& what) {
    std::fprintf(stderr, "number-text finding: %s\n", what.c_str());
    std::abort();
}

// The ten bytes that make an extended value; the padding after them carries nothing.
std::array<std::uint8_t, 10> bitsOf(long double value) {
    std::array<std::uint8_t, 10> bits{};
    std::memcpy(bits.data(), &value, bits.size());
    return bits;
}

std::string hex(long double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%La", value);
    return text;
}

// The C-locale text MPFR reads, reduced to the extended format exactly as a correctly rounding reader must:
// to 64 bits, with the extended exponent range and its subnormals. Nullopt beyond the range.
std::optional<long double> mpfrRead(std::string cText) {
    // MPFR 4.2.0 reads "0.05e-490000000000000000001" as infinity. The inputs hold at most 128 digits, so an
    // exponent of more than seven digits decides alone between zero and overflow: it is cut to seven.
    const std::size_t e = cText.find_first_of("eE");
    if (e != std::string::npos) {
        std::size_t digits = e + 1 + (e + 1 < cText.size() && (cText[e + 1] == '+' || cText[e + 1] == '-'));
        while (digits + 1 < cText.size() && cText[digits] == '0')
            cText.erase(digits, 1);
        if (cText.size() - digits > 7)
            cText.replace(digits, std::string::npos, "9999999");
    }
    mpfr_t x;
    mpfr_init2(x, LDBL_MANT_DIG);
    const int inexact = mpfr_strtofr(x, cText.c_str(), nullptr, 10, MPFR_RNDN);
    mpfr_subnormalize(x, mpfr_check_range(x, inexact, MPFR_RNDN), MPFR_RNDN);
    const bool overflow = mpfr_inf_p(x) != 0;
    const long double value = mpfr_get_ld(x, MPFR_RNDN);
    mpfr_clear(x);
    if (overflow)
        return std::nullopt;
    return value;
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

// The runtime's real grammar, read afresh: blanks around, a sign, digits with at most one separator and at
// least one digit, an exponent with a sign and at least one digit. Returns the C-locale text, or nullopt.
std::optional<std::string> grammarReal(std::string_view text, char separator) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string c;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        c += text[i++];
    int mantissa = 0;
    for (; i < text.size() && digit(text[i]); ++i, ++mantissa)
        c += text[i];
    if (i < text.size() && text[i] == separator) {
        c += '.';
        for (++i; i < text.size() && digit(text[i]); ++i, ++mantissa)
            c += text[i];
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            c += text[i++];
        int exponent = 0;
        for (; i < text.size() && digit(text[i]); ++i, ++exponent)
            c += text[i];
        if (exponent == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return c;
}

void checkReal(std::string_view text, char separator) {
    kc::setDecimalSeparator(separator);
    const std::optional<long double> read = kc::parseReal(text);
    const std::optional<std::string> c = grammarReal(text, separator);
    const std::optional<long double> expected = c ? mpfrRead(*c) : std::nullopt;
    if (read.has_value() != expected.has_value())
        finding("real \"" + std::string(text) + "\" " + (read ? "accepted" : "refused") + ", MPFR " +
                (expected ? "reads it" : "does not"));
    if (read && bitsOf(*read) != bitsOf(*expected))
        finding("real \"" + std::string(text) + "\" reads " + hex(*read) + ", MPFR " + hex(*expected));
}

int hexDigit(char c) {
    if (digit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Leading blanks, a sign, decimal digits or hexadecimal ones after "$" or "0x"; 32 bits, hexadecimal ones
// wrapping into the negatives.
std::optional<std::int32_t> grammarInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (text.substr(i, 1) == "$")
        base = 16, i += 1;
    else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X")
        base = 16, i += 2;
    if (i == text.size())
        return std::nullopt;
    __int128 value = 0;
    for (; i < text.size(); ++i) {
        const int d = base == 16 ? hexDigit(text[i]) : (digit(text[i]) ? text[i] - '0' : -1);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > (__int128{1} << 40))
            return std::nullopt;
    }
    if (base == 10) {
        const __int128 signedValue = negative ? -value : value;
        if (signedValue < INT32_MIN || signedValue > INT32_MAX)
            return std::nullopt;
        return static_cast<std::int32_t>(signedValue);
    }
    if (value > 0xFFFFFFFF)
        return std::nullopt;
    return std::bit_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? -value : value));
}

void checkInteger(std::string_view text) {
    const std::optional<std::int32_t> read = kc::parseInteger(text);
    const std::optional<std::int32_t> expected = grammarInteger(text);
    if (read != expected)
        finding("integer \"" + std::string(text) + "\" reads " + (read ? std::to_string(*read) : "nothing") +
                ", expected " + (expected ? std::to_string(*expected) : "nothing"));
}

// |value| as 18 correctly rounded significant digits (ties to even, as any correct printer rounds) and the
// exponent of 0.d1d2... x 10^exponent.
std::pair<std::string, long> eighteenDigits(long double value) {
    mpfr_t x;
    mpfr_init2(x, LDBL_MANT_DIG);
    mpfr_set_ld(x, std::fabs(value), MPFR_RNDN);
    mpfr_exp_t exponent = 0;
    char* digits = mpfr_get_str(nullptr, &exponent, 10, 18, x, MPFR_RNDN);
    std::pair<std::string, long> result{digits, exponent};
    mpfr_free_str(digits);
    mpfr_clear(x);
    return result;
}

// The decimal 0.<digits> x 10^exponent with `kept` digits kept, rounding half away from zero on the next.
std::string roundedDecimal(const std::string& digits, long exponent, long kept, bool negative) {
    if (kept < 0)
        return "0";
    std::string shown = digits.substr(0, static_cast<std::size_t>(std::min<long>(kept, 18)));
    long shownExponent = exponent;
    if (kept < 18 && digits[static_cast<std::size_t>(kept)] >= '5') {
        long i = static_cast<long>(shown.size()) - 1;
        while (i >= 0 && shown[static_cast<std::size_t>(i)] == '9')
            shown[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++shown[static_cast<std::size_t>(i)];
        else
            shown.insert(shown.begin(), '1'), ++shownExponent;
    }
    if (shown.empty())
        return "0";
    return std::string(negative ? "-" : "") + "0." + shown + "e" + std::to_string(shownExponent);
}

void checkFormats(const std::uint8_t* data, std::size_t size) {
    if (size < 12)
        return;
    long double raw = 0;
    std::memcpy(&raw, data, 10);
    // Arithmetic never makes the encodings the x87 reads but does not write (pseudo-denormals, unnormals);
    // a multiplication gives the value the unit takes them for.
    const volatile long double one = 1;
    const long double value = raw * one;
    if (!std::isfinite(value))
        return;
    kc::setDecimalSeparator((data[10] & 1) != 0 ? ',' : '.');
    const int precision = 1 + data[11] % 18;
    const auto [digits, exponent] = eighteenDigits(value);
    const std::string general = kc::formatGeneral(value, precision);
    if (value != 0) {
        const std::string promised = roundedDecimal(digits, exponent, precision, value < 0);
        // A value near the top of the range may round up beyond it: the text is then refused, as any is.
        const std::optional<long double> read = kc::parseReal(general);
        const std::optional<long double> expected = mpfrRead(promised);
        if (read.has_value() != expected.has_value() || (read && bitsOf(*read) != bitsOf(*expected)))
            finding("general " + hex(value) + " at " + std::to_string(precision) + " is \"" + general +
                    "\", promised " + promised);
        const bool scientific = general.find('E') != std::string::npos;
        const long shownExponent = std::stol(promised.substr(promised.find('e') + 1));
        if (scientific != (shownExponent > precision || shownExponent < -3))
            finding("general " + hex(value) + " at " + std::to_string(precision) +
                    " in the wrong notation: " + general);
    } else if (general != "0") {
        finding("zero written as " + general);
    }
    if (std::fabs(value) < 1e17L) {
        const int decimals = data[11] % 7;
        const std::string fixed = kc::formatFixed(value, decimals);
        const std::string promised =
            value == 0 ? "0" : roundedDecimal(digits, exponent, exponent + decimals, value < 0);
        const std::optional<long double> read = kc::parseReal(fixed);
        const std::optional<long double> expected = mpfrRead(promised);
        if (!read || std::fabs(*read) != std::fabs(*expected))
            finding("fixed " + hex(value) + " with " + std::to_string(decimals) + " decimals is \"" + fixed +
                    "\", promised " + promised);
        const std::size_t separator = fixed.find_first_of(".,");
        if ((decimals == 0) != (separator == std::string::npos) ||
            (decimals > 0 && fixed.size() - separator - 1 != static_cast<std::size_t>(decimals)))
            finding("fixed " + hex(value) + " with " + std::to_string(decimals) + " decimals: " + fixed);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mpfr_set_emin(LDBL_MIN_EXP - LDBL_MANT_DIG + 1);
    mpfr_set_emax(LDBL_MAX_EXP);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
    case 0:
        checkReal(text, '.');
        break;
    case 1:
        checkReal(text, ',');
        break;
    case 2:
        checkInteger(text);
        break;
    default:
        checkFormats(data + 1, size - 1);
        break;
    }
    return 0;
}
