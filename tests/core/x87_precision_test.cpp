#include "core/extended.h"
#include "core/x87_precision.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kc {
namespace {

#if defined(__i386__) || defined(__x86_64__)
// Where Microsoft's runtime starts a process: results rounded to a double's 53 bits.
void useDoublePrecision() {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<std::uint16_t>((control & ~0x0300) | 0x0200);
    __asm__ volatile("fldcw %0" : : "m"(control));
}

TEST(X87Precision, ExtendedPrecisionIsRestoredFromDoublePrecision) {
    useDoublePrecision();
    ASSERT_EQ(x87SignificandBits(), 53);
    useExtendedPrecision();
    EXPECT_EQ(x87SignificandBits(), 64);
    volatile Extended one = 1;
    volatile Extended lastBit = 0x1p-63L;
    EXPECT_EQ((one + lastBit) - one, lastBit) << "a sum rounded to 53 bits loses the last 11";
}
#endif

} // namespace
} // namespace kc
