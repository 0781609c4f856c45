#include "pages/ground_combat.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

GroundCombatInputs invasion(const char* attackers, const char* defenders, const char* coverage = "0",
                            bool warMonger = false, bool innerStrength = false) {
    return {attackers, defenders, coverage, warMonger, innerStrength};
}

struct Row {
    const char* reason;
    GroundCombatInputs inputs;
    const char* killed;
    const char* winner;
    const char* left;
};

class GroundCombatRows : public testing::TestWithParam<Row> {};

TEST_P(GroundCombatRows, WriteKilledWinnerAndSurvivors) {
    const Row& row = GetParam();
    const GroundCombatOutcome outcome = computeGroundCombat(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.killed, std::string("Killed by Defences: ") + row.killed) << row.reason;
    EXPECT_EQ(outcome.winner, row.winner) << row.reason;
    EXPECT_EQ(outcome.survivors, std::string("PopLeft: ") + row.left) << row.reason;
}

constexpr const char* kAttacker = "Attacker wins";
constexpr const char* kDefender = "Defender wins";

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, GroundCombatRows,
    testing::Values(
        Row{"no traits", invasion("1000", "500"), "0", kAttacker, "545"},
        Row{"Inner Strength doubles the defenders", invasion("1000", "500", "0", false, true), "0", kAttacker,
            "91"},
        Row{"half coverage", invasion("1000", "500", "50"), "375", kAttacker, "170"},
        Row{"the defender wins", invasion("100", "500"), "0", kDefender, "390"},
        Row{"nobody at all: a tie", invasion("0", "0"), "0", kDefender, "0"},
        Row{"a true tie goes to the defender, no '-0'", invasion("100", "110"), "0", kDefender, "0"},
        Row{"a War Monger tie", invasion("1000", "1650", "0", true), "0", kDefender, "0"},
        Row{"an Inner Strength tie", invasion("200", "110", "0", false, true), "0", kDefender, "0"},
        Row{"War Monger adds half", invasion("1000", "1000", "0", true), "0", kAttacker, "394"},
        Row{"full coverage lands a quarter", invasion("1000", "0", "100"), "750", kAttacker, "250"},
        Row{"coverage beyond 100% lands a negative number", invasion("1000", "0", "200"), "1500", kDefender,
            "550"},
        Row{"negative kills round to 0, not -0", invasion("1", "5", "-0.1"), "0", kDefender, "4"},
        Row{"halves round away from zero", invasion("2.5", "0"), "0", kAttacker, "3"}));

TEST(GroundCombatFailures, StopWhereTheyOccur) {
    const struct {
        const char* reason;
        GroundCombatInputs inputs;
        const char* message;
        bool labelsWritten; // killed and winner written before the failure
    } rows[] = {
        {"an empty box", invasion("", "0"), "'' is not a valid floating point value", false},
        {"attackers converted first", invasion("a", "b", "c"), "'a' is not a valid floating point value",
         false},
        {"coverage converted last", invasion("1", "2", "c"), "'c' is not a valid floating point value",
         false},
        {"beyond an 8-byte real", invasion("1e400", "0"), "Floating point overflow", false},
        {"survivors beyond an 8-byte real", invasion("-1e308", "1e308"), "Floating point overflow", true},
    };
    for (const auto& row : rows) {
        const GroundCombatOutcome outcome = computeGroundCombat(row.inputs);
        ASSERT_TRUE(outcome.failure) << row.reason;
        EXPECT_STREQ(outcome.failure->what(), row.message) << row.reason;
        EXPECT_EQ(outcome.killed.has_value(), row.labelsWritten) << row.reason;
        EXPECT_EQ(outcome.winner.has_value(), row.labelsWritten) << row.reason;
        EXPECT_FALSE(outcome.survivors) << row.reason;
    }
}

} // namespace
} // namespace kc::pages
