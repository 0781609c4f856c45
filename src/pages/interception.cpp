#include "pages/interception.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <cstdlib>

namespace kc::pages {

namespace {

constexpr int kLineStart = 20;
constexpr std::uint8_t kStepsPerSweep = 80;

// The object moves away from a along the axis when b lies further along it, toward lower values otherwise.
std::int64_t movedCoordinate(std::int32_t from, std::int32_t toward, std::int64_t offset) {
    std::int64_t moved = 0;
    const bool wraps = from < toward ? __builtin_add_overflow(std::int64_t{from}, offset, &moved)
                                     : __builtin_sub_overflow(std::int64_t{from}, offset, &moved);
    if (wraps)
        raiseInvalidOperation();
    return moved;
}

} // namespace

InterceptionOutcome computeInterception(const InterceptionInputs& in) {
    InterceptionOutcome out;
    // Differences of two 32-bit coordinates need 33 bits; their squares are exact in the extended format.
    const Extended dy = std::llabs(std::int64_t{in.y1} - in.y2);
    const Extended dx = std::llabs(std::int64_t{in.x1} - in.x2);
    if (dy == 0) {
        out.resultText = kEqualYNotice;
        return out;
    }
    out.failure = captureFailure([&] {
        const Extended angle = arcTangent(divide(dx, dy)); // from the Y axis
        const Extended distance = squareRoot(add(multiply(dx, dx), multiply(dy, dy)));
        const Extended travelled = multiply(multiply(in.speed, in.speed), in.years);
        const Extended along = in.positionB == PositionB::Current ? add(distance, travelled) : travelled;
        const std::int64_t offsetY = truncToInt(multiply(cosine(angle), along));
        const std::int64_t offsetX = truncToInt(multiply(sine(angle), along));
        const std::int64_t futureX = movedCoordinate(in.x1, in.x2, offsetX);
        const std::int64_t futureY = movedCoordinate(in.y1, in.y2, offsetY);

        out.distanceText = "Distance between a and b is : " + intToStr(truncToInt(distance)) + " ly";
        out.resultText = "The object's position in " + intToStr(in.years) + " year(s) will be : \n\rX " +
                         intToStr(futureX) + " ,Y " + intToStr(futureY);
    });
    return out;
}

void InterceptionAnimation::restart() {
    counter_ = 0;
    colour_ = DotColour::Red;
}

std::optional<AnimationDot> InterceptionAnimation::step(bool upperSituation) {
    if (!upperSituation)
        return std::nullopt;
    ++counter_;
    const AnimationDot dot{kLineStart + counter_, kLineStart + counter_, colour_};
    if (counter_ == kStepsPerSweep) {
        counter_ = 0;
        colour_ = colour_ == DotColour::Red ? DotColour::Blue : DotColour::Red;
    }
    return dot;
}

} // namespace kc::pages
