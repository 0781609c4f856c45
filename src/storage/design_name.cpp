#include "storage/design_name.h"

#include <algorithm>

namespace kc::storage {

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to the control
// characters of the same value, as Windows converts them, so they round-trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kMalformed = 0xFFFFFFFF;

char32_t fromCodePage(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls.at(byte - 0x80);
    return byte;
}

std::uint8_t toCodePage(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<std::uint8_t>(character);
    const auto* found = std::find(kHighControls.begin(), kHighControls.end(), character);
    if (found != kHighControls.end())
        return static_cast<std::uint8_t>(0x80 + (found - kHighControls.begin()));
    return '?';
}

// The next character of `text` from `position`, which moves past it; kMalformed for a malformed sequence
// (then one byte is skipped).
char32_t nextCharacter(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<std::uint8_t>(text[position++]);
    if (lead < 0x80)
        return lead;
    const int trailing = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (trailing < 0 || lead > 0xF4 || position + static_cast<std::size_t>(trailing) > text.size())
        return kMalformed;
    char32_t character = lead & (0x3F >> trailing);
    for (int i = 0; i < trailing; ++i) {
        const auto next = static_cast<std::uint8_t>(text[position + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return kMalformed;
        character = (character << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    if (character < kSmallest.at(static_cast<std::size_t>(trailing)) || character > 0x10FFFF ||
        (character >= 0xD800 && character <= 0xDFFF))
        return kMalformed;
    position += static_cast<std::size_t>(trailing);
    return character;
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

} // namespace

StoredName encodeName(std::string_view utf8) {
    StoredName name;
    std::size_t position = 0;
    while (position < utf8.size() && name.length < kNameBytes) {
        const char32_t character = nextCharacter(utf8, position);
        name.bytes.at(name.length++) = character == kMalformed ? '?' : toCodePage(character);
    }
    return name;
}

std::string decodeName(const std::array<std::uint8_t, kNameBytes>& bytes, std::uint8_t length) {
    std::string text;
    const std::size_t shown = std::min<std::size_t>(length, kNameBytes);
    for (std::size_t i = 0; i < shown; ++i)
        appendUtf8(text, fromCodePage(bytes.at(i)));
    return text;
}

} // namespace kc::storage
