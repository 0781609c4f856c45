#include "core/c_numbers.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace kc {

#if defined(_WIN32)

// MinGW-w64 has no strtold_l. Its own strtold (the one that keeps all 64 bits; the Microsoft runtime's
// rounds to a double) reads the decimal point of the C runtime's locale, which a Windows program keeps at
// "C" unless it calls setlocale; where it has, the text's point is swapped for the locale's.
namespace {
template <typename Read> auto readInC(const char* text, char** end, Read read) {
    const char* point = std::localeconv()->decimal_point;
    if (point[0] == '.' && point[1] == '\0') {
        return read(text, end);
    }
    std::string local(text);
    for (char& c : local) {
        if (c == '.') {
            c = point[0];
        }
    }
    char* localEnd = nullptr;
    const auto value = read(local.c_str(), &localEnd);
    if (end != nullptr) {
        *end = const_cast<char*>(text) + (localEnd - local.c_str());
    }
    return value;
}
} // namespace

Extended cStrtold(const char* text, char** end) {
    return readInC(text, end, [](const char* t, char** e) { return __mingw_strtold(t, e); });
}

double cStrtod(const char* text, char** end) {
    return readInC(text, end, [](const char* t, char** e) { return __mingw_strtod(t, e); });
}

#else

namespace {
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}
} // namespace

Extended cStrtold(const char* text, char** end) {
    return strtold_l(text, end, cLocale());
}

double cStrtod(const char* text, char** end) {
    return strtod_l(text, end, cLocale());
}

#endif

} // namespace kc
