#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kc::storage {

inline constexpr std::size_t kNameBytes = 8;

// A design name as the file holds it: up to eight single-byte characters of the Windows-1252 code page.
struct StoredName {
    std::array<std::uint8_t, kNameBytes> bytes{};
    std::uint8_t length = 0;
};

// The first eight characters of a UTF-8 text in Windows-1252; a character the code page cannot hold (and a
// malformed UTF-8 sequence) becomes "?". Cut by characters, so no character is ever split.
StoredName encodeName(std::string_view utf8);

// The first `length` bytes (at most eight) as UTF-8.
std::string decodeName(const std::array<std::uint8_t, kNameBytes>& bytes, std::uint8_t length);

} // namespace kc::storage
