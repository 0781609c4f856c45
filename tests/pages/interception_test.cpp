#include "pages/interception.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

struct Row {
    const char* reason;
    InterceptionInputs inputs;
    const char* distance;
    const char* result;
};

InterceptionInputs course(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          std::int32_t speed, std::int32_t years, PositionB b = PositionB::Current) {
    return {.x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .speed = speed, .years = years, .positionB = b};
}

class InterceptionPredictions : public testing::TestWithParam<Row> {};

TEST_P(InterceptionPredictions, MatchTheGame) {
    const Row& row = GetParam();
    const InterceptionOutcome outcome = computeInterception(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.distanceText, row.distance) << row.reason;
    EXPECT_EQ(outcome.resultText, row.result) << row.reason;
}

constexpr PositionB kHeading = PositionB::Destination;

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, InterceptionPredictions,
    testing::Values(Row{"initial inputs", InterceptionInputs{}, "Distance between a and b is : 282 ly",
                        "The object's position in 1 year(s) will be : \n\rX 1400 ,Y 1400"},
                    Row{"warp 10 for 2 years goes on past b", course(1200, 1200, 1400, 1400, 10, 2),
                        "Distance between a and b is : 282 ly",
                        "The object's position in 2 year(s) will be : \n\rX 1541 ,Y 1541"},
                    Row{"warp 10 for 2 years heading for b", course(1200, 1200, 1400, 1400, 10, 2, kHeading),
                        "Distance between a and b is : 282 ly",
                        "The object's position in 2 year(s) will be : \n\rX 1341 ,Y 1341"},
                    Row{"moving toward lower Y", course(1000, 1300, 1300, 1000, 5, 3),
                        "Distance between a and b is : 424 ly",
                        "The object's position in 3 year(s) will be : \n\rX 1353 ,Y 947"},
                    Row{"moving toward lower Y, heading for b",
                        course(1000, 1300, 1300, 1000, 5, 3, kHeading),
                        "Distance between a and b is : 424 ly",
                        "The object's position in 3 year(s) will be : \n\rX 1053 ,Y 1247"},
                    Row{"straight along Y: X stays", course(1000, 1000, 1000, 1300, 5, 3),
                        "Distance between a and b is : 300 ly",
                        "The object's position in 3 year(s) will be : \n\rX 1000 ,Y 1375"},
                    Row{"toward lower X and Y", course(1400, 1400, 1200, 1200, 1, 1),
                        "Distance between a and b is : 282 ly",
                        "The object's position in 1 year(s) will be : \n\rX 1200 ,Y 1200"},
                    Row{"offsets below one light year truncate to nothing",
                        course(1400, 1400, 1200, 1200, 1, 1, kHeading),
                        "Distance between a and b is : 282 ly",
                        "The object's position in 1 year(s) will be : \n\rX 1400 ,Y 1400"},
                    Row{"typed coordinates 2^32 apart keep their full difference",
                        course(-2147483647 - 1, 2147483647, 2147483647, -2147483647 - 1, 1, 1),
                        "Distance between a and b is : 6074000998 ly",
                        "The object's position in 1 year(s) will be : \n\rX 2147483647 ,Y -2147483648"}));

TEST(Interception, EqualYValuesShowOnlyTheNotice) {
    const InterceptionOutcome outcome = computeInterception(course(1000, 1200, 3000, 1200, 5, 3));
    EXPECT_FALSE(outcome.failure);
    EXPECT_FALSE(outcome.distanceText);
    EXPECT_EQ(outcome.resultText, "I am sorry but the Y values must be different");
}

TEST(Interception, ATravelBeyondInt64FailsBeforeAnyText) {
    const InterceptionOutcome outcome = computeInterception(course(0, 0, 10, 10, 2147483647, 2147483647));
    ASSERT_TRUE(outcome.failure);
    EXPECT_STREQ(outcome.failure->what(), "Invalid floating point operation");
    EXPECT_FALSE(outcome.distanceText);
    EXPECT_FALSE(outcome.resultText);
}

TEST(InterceptionAnimation, SweepsTheLineInRedThenBlue) {
    InterceptionAnimation animation;
    for (const DotColour colour : {DotColour::Red, DotColour::Blue, DotColour::Red}) {
        for (int step = 1; step <= 80; ++step) {
            const std::optional<AnimationDot> dot = animation.step(true);
            ASSERT_TRUE(dot);
            ASSERT_EQ(dot->x, 20 + step);
            ASSERT_EQ(dot->y, 20 + step);
            ASSERT_EQ(dot->colour, colour) << "step " << step;
        }
        EXPECT_EQ(animation.counter(), 0);
    }
}

} // namespace
} // namespace kc::pages
