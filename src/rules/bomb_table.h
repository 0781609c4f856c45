#pragma once

#include "core/extended.h"

#include <array>
#include <cstdint>
#include <optional>

// What each ordinary bomb does, read by the bombing page (whose smart bombs follow these and are its own).
namespace kc::rules {

struct BombRecord {
    // Fraction of the population one bomb kills, held in single precision as the game holds it: results
    // depend on 0.006 being 0.006000000052...
    Single KillRate;
    std::uint8_t Installations; // installations one bomb destroys
    std::uint16_t MinKill;      // colonists one bomb kills at least
    friend bool operator==(const BombRecord&, const BombRecord&) = default;
};

constexpr BombRecord makeBombRecord(Single killRate, std::uint8_t installations, std::uint16_t minKill) {
    return BombRecord{killRate, installations, minKill};
}

inline constexpr int kBombCount = 9;

// By position in the bombing page's bomb type lists, 0 .. 8.
using BombRecords = std::array<BombRecord, kBombCount>;

void fillBombTable(BombRecords& table);

// The record of the ordinary bomb at a list position; nothing for no selection and for the smart bombs.
std::optional<BombRecord> bombRecord(const BombRecords& table, int position);

} // namespace kc::rules
