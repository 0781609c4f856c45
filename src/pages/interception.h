#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// Where a moving object will be after some years, on the map's integer light-year grid, from two positions
// on its course; and the step of the little animation that shows the upper situation.
namespace kc::pages {

// What the second position b is: where the object is now (it was seen at a before and goes on past b), or
// where it is heading (it left a for b).
enum class PositionB { Current, Destination };

struct InterceptionInputs {
    std::int32_t x1 = 1200;
    std::int32_t y1 = 1200;
    std::int32_t x2 = 1400;
    std::int32_t y2 = 1400;
    std::int32_t speed = 1; // warp; the object moves speed x speed light years a year
    std::int32_t years = 1;
    PositionB positionB = PositionB::Current;
};

// The texts in the order the page writes them. With equal Y values only the notice is shown and the distance
// keeps its text; a failure stops before either.
struct InterceptionOutcome {
    std::optional<std::string> distanceText;
    std::optional<std::string> resultText;
    std::optional<RuntimeError> failure;
};

inline constexpr const char* kEqualYNotice = "I am sorry but the Y values must be different";

InterceptionOutcome computeInterception(const InterceptionInputs& inputs);

enum class DotColour { Red, Blue };

// One pixel the animation paints, in the picture's coordinates.
struct AnimationDot {
    int x = 0;
    int y = 0;
    DotColour colour = DotColour::Red;
};

// Repaints the upper picture's line one pixel a step, from (21, 21) to (100, 100), then starts over in the
// other colour: red first, then blue, and so on.
class InterceptionAnimation {
public:
    void restart();
    // The dot of the next step; none while the lower situation is chosen, and then nothing moves on.
    std::optional<AnimationDot> step(bool upperSituation);

    std::uint8_t counter() const { return counter_; }
    DotColour colour() const { return colour_; }

private:
    std::uint8_t counter_ = 0;
    DotColour colour_ = DotColour::Red;
};

} // namespace kc::pages
