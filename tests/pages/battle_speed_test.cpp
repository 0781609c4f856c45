#include "pages/battle_speed.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

// Engine list positions; the speed figures are 6, 5, 10 and 10.
enum Engine {
    SettlersDelight = 0,
    QuickJump5 = 1,
    TransGalacticDrive = 6,
    Unlocked = 15,
    UnlockedTwice = 16
};

struct Row {
    const char* reason;
    BattleSpeedInputs inputs;
    std::int64_t thousandths;
    const char* steps;
};

BattleSpeedInputs ship(Engine engine, std::int32_t engines, std::int32_t jets, std::int32_t overthrusters,
                       std::int32_t empty, std::int32_t freight = 0) {
    return {engine, engines, jets, overthrusters, empty, freight};
}

class BattleSpeedValues : public testing::TestWithParam<Row> {};

TEST_P(BattleSpeedValues, MatchTheGame) {
    const Row& row = GetParam();
    const BattleSpeedOutcome outcome = computeBattleSpeed(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.thousandths, row.thousandths) << row.reason;
    EXPECT_EQ(outcome.text, battleSpeedSentence(row.steps)) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, BattleSpeedValues,
    testing::Values(
        Row{"the lightest ship", ship(SettlersDelight, 1, 0, 0, 1), 996, "1"},
        Row{"a slow engine", ship(QuickJump5, 1, 0, 0, 100), 393, "1/2"},
        Row{"a fast engine", ship(TransGalacticDrive, 1, 0, 0, 100), 1643, "1_3/4"},
        Row{"the unlocked engine", ship(Unlocked, 1, 0, 0, 100), 1643, "1_3/4"},
        Row{"jets add a quarter square each", ship(TransGalacticDrive, 1, 2, 0, 100), 2143, "2_1/4"},
        Row{"an overthruster adds half a square", ship(TransGalacticDrive, 1, 2, 1, 100), 2643, "2_1/2"},
        Row{"too heavy to move faster than half a square", ship(TransGalacticDrive, 1, 0, 0, 1000), -1571,
            "1/2"},
        Row{"freight weighs like the hull", ship(TransGalacticDrive, 1, 0, 0, 40, 60), 1643, "1_3/4"},
        Row{"two engines share twice the weight", ship(TransGalacticDrive, 2, 0, 0, 200), 1643, "1_3/4"},
        Row{"ten overthrusters outrun any engine", ship(QuickJump5, 1, 0, 10, 100), 5393, "2_1/2"},
        // Exact halves are only reachable with an engine count typed beyond the box's range.
        Row{"624.5 rounds to the even 624", ship(SettlersDelight, 50, 0, 0, 5257), 624, "1/2"},
        Row{"625.5 rounds to the even 626", ship(SettlersDelight, 50, 0, 0, 5243), 626, "3/4"},
        Row{"874.5 rounds to the even 874", ship(SettlersDelight, 50, 0, 0, 1757), 874, "3/4"},
        Row{"weights summed beyond 32 bits do not wrap",
            ship(TransGalacticDrive, 1, 0, 0, 2147483647, 5000000), -7687439596, "1/2"}));

TEST(BattleSpeedNotices, SayWhatIsMissing) {
    EXPECT_EQ(computeBattleSpeed(BattleSpeedInputs{}).text, "Select an engine");
    EXPECT_EQ(computeBattleSpeed(ship(UnlockedTwice, 1, 0, 0, 100)).text, "No figures for this engine");
}

TEST(BattleSpeedFailures, NoEnginesDivideByZeroWithOrWithoutAnEngineChosen) {
    BattleSpeedInputs noEngineChosen;
    noEngineChosen.engines = 0;
    for (const BattleSpeedInputs& inputs : {ship(TransGalacticDrive, 0, 0, 0, 100), noEngineChosen}) {
        const BattleSpeedOutcome outcome = computeBattleSpeed(inputs);
        ASSERT_TRUE(outcome.failure);
        EXPECT_STREQ(outcome.failure->what(), "Floating point division by zero");
        EXPECT_FALSE(outcome.text);
    }
}

} // namespace
} // namespace kc::pages
