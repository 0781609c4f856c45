#include "pages/battle_speed.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

constexpr std::int32_t kSettlersDelight = 6;
constexpr std::int32_t kQuickJump5 = 5;
constexpr std::int32_t kTransGalacticDrive = 10;

BattleSpeedInputs ship(std::int32_t engineSpeed, std::int32_t emptyWeight, std::int32_t jets = 0,
                       std::int32_t overthrusters = 0) {
    BattleSpeedInputs inputs;
    inputs.engineChosen = true;
    inputs.engineSpeed = engineSpeed;
    inputs.emptyWeight = emptyWeight;
    inputs.maneuveringJets = jets;
    inputs.overthrusters = overthrusters;
    return inputs;
}

BattleSpeedInputs withEngines(BattleSpeedInputs inputs, std::int32_t engines, std::int32_t freight = 0) {
    inputs.engines = engines;
    inputs.freightWeight = freight;
    return inputs;
}

struct Row {
    const char* reason;
    BattleSpeedInputs inputs;
    std::int64_t thousandths;
    const char* steps;
};

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
        Row{"the lightest ship", ship(kSettlersDelight, 1), 996, "1"},
        Row{"a slow engine", ship(kQuickJump5, 100), 393, "1/2"},
        Row{"a fast engine", ship(kTransGalacticDrive, 100), 1643, "1_3/4"},
        Row{"jets add a quarter square each", ship(kTransGalacticDrive, 100, 2), 2143, "2_1/4"},
        Row{"an overthruster adds half a square", ship(kTransGalacticDrive, 100, 2, 1), 2643, "2_1/2"},
        Row{"too heavy to move faster than half a square", ship(kTransGalacticDrive, 1000), -1571, "1/2"},
        Row{"freight weighs like the hull", withEngines(ship(kTransGalacticDrive, 40), 1, 60), 1643, "1_3/4"},
        Row{"two engines share twice the weight", withEngines(ship(kTransGalacticDrive, 200), 2), 1643,
            "1_3/4"},
        Row{"ten overthrusters outrun any engine", ship(kQuickJump5, 100, 0, 10), 5393, "2_1/2"},
        // Only reachable with an engine count typed beyond the box's range.
        Row{"624.5 rounds to the even 624", withEngines(ship(kSettlersDelight, 5257), 50), 624, "1/2"},
        Row{"625.5 rounds to the even 626", withEngines(ship(kSettlersDelight, 5243), 50), 626, "3/4"},
        Row{"874.5 rounds down, still three quarters", withEngines(ship(kSettlersDelight, 1757), 50), 874,
            "3/4"},
        Row{"weights typed beyond 32 bits in sum do not wrap",
            withEngines(ship(kTransGalacticDrive, 2147483647), 1, 5000000), -7687439596, "1/2"}));

TEST(BattleSpeedNotices, SayWhatIsMissing) {
    BattleSpeedInputs noEngine;
    EXPECT_EQ(computeBattleSpeed(noEngine).text, "Select an engine");
    BattleSpeedInputs appendedTwice = ship(kTransGalacticDrive, 100);
    appendedTwice.engineSpeed.reset();
    EXPECT_EQ(computeBattleSpeed(appendedTwice).text, "No figures for this engine");
}

TEST(BattleSpeedFailures, NoEnginesDivideByZeroWithOrWithoutAnEngineChosen) {
    for (const BattleSpeedInputs& inputs :
         {withEngines(ship(kTransGalacticDrive, 100), 0), withEngines(BattleSpeedInputs{}, 0)}) {
        const BattleSpeedOutcome outcome = computeBattleSpeed(inputs);
        ASSERT_TRUE(outcome.failure);
        EXPECT_STREQ(outcome.failure->what(), "Floating point division by zero");
        EXPECT_FALSE(outcome.text);
    }
}

} // namespace
} // namespace kc::pages
