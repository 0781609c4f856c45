#include "core/x87_precision.h"

#include <cstdint>

namespace kc {

#if defined(__i386__) || defined(__x86_64__)

namespace {
constexpr std::uint16_t kPrecisionBits = 0x0300;
constexpr std::uint16_t kRoundingBits = 0x0C00;
} // namespace

void useExtendedPrecision() {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<std::uint16_t>((control & ~(kPrecisionBits | kRoundingBits)) | kPrecisionBits);
    __asm__ volatile("fldcw %0" : : "m"(control));
}

int x87SignificandBits() {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    switch ((control & kPrecisionBits) >> 8) {
    case 0:
        return 24;
    case 2:
        return 53;
    case 3:
        return 64;
    default:
        return 0; // reserved
    }
}

#else

void useExtendedPrecision() {}

int x87SignificandBits() {
    return 0;
}

#endif

} // namespace kc
