#include "pages/jammers.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

// Torpedo list positions; "Alpha Torpedo" has a base accuracy of 35, "Rho Torpedo" 75, "Omega Torpedo" 80
// and the unlocked torpedo 85.
enum Torpedo { Alpha = 0, Rho = 4, Omega = 6, Unlocked = 11, UnlockedTwice = 12 };

struct Devices {
    std::int32_t jammer10 = 0, jammer20 = 0, jammer30 = 0, jammer50 = 0;
    std::int32_t computer = 0, superComputer = 0, nexus = 0;
};

JammersInputs torpedo(Torpedo type, Devices d) {
    return JammersInputs{.jammer10 = d.jammer10,
                         .jammer20 = d.jammer20,
                         .jammer30 = d.jammer30,
                         .jammer50 = d.jammer50,
                         .computer = d.computer,
                         .superComputer = d.superComputer,
                         .nexus = d.nexus,
                         .torpedo = type};
}

struct Row {
    const char* reason;
    JammersInputs inputs;
    const char* text;
};

class JammersTexts : public testing::TestWithParam<Row> {};

TEST_P(JammersTexts, MatchTheGame) {
    const Row& row = GetParam();
    const JammersOutcome outcome = computeJammers(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason;
    EXPECT_EQ(outcome.text, row.text) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, JammersTexts,
    testing::Values(Row{"nothing on either side", torpedo(Alpha, {}),
                        "The torpedo will have an accuracy of 35 %. that's a decrease of 0 %."},
                    Row{"two Jammer 20", torpedo(Alpha, {.jammer20 = 2}),
                        "The torpedo will have an accuracy of 22 %. that's a decrease of 13 %."},
                    Row{"one computer", torpedo(Alpha, {.computer = 1}),
                        "The torpedo will have an accuracy of 48 %. that's an increase of 13 %."},
                    Row{"equal strengths", torpedo(Omega, {.jammer50 = 1, .nexus = 1}),
                        "The torpedo will have an accuracy of 80 %. that's a decrease of 0 %."},
                    Row{"both sides, computers ahead", torpedo(Rho, {.jammer10 = 3, .superComputer = 2}),
                        "The torpedo will have an accuracy of 81 %. that's an increase of 6 %."}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, JammersTexts,
    testing::Values(Row{"a tie between different kinds goes to the jamming branch",
                        torpedo(Alpha, {.jammer20 = 1, .computer = 1}),
                        "The torpedo will have an accuracy of 35 %. that's a decrease of 0 %."},
                    Row{"kinds on one side combine multiplicatively (J = 0.44)",
                        torpedo(Alpha, {.jammer20 = 1, .jammer30 = 1}),
                        "The torpedo will have an accuracy of 20 %. that's a decrease of 15 %."},
                    Row{"fifty Jammer 50 take the whole base accuracy", torpedo(Omega, {.jammer50 = 50}),
                        "The torpedo will have an accuracy of 0 %. that's a decrease of 80 %."},
                    Row{"the unlocked torpedo", torpedo(Unlocked, {.nexus = 3}),
                        "The torpedo will have an accuracy of 98 %. that's an increase of 13 %."},
                    Row{"counts typed in the billions finish",
                        torpedo(Omega, {.jammer10 = 2147483647, .nexus = 2147483647}),
                        "The torpedo will have an accuracy of 80 %. that's a decrease of 0 %."},
                    Row{"a negative count adds no strength", torpedo(Alpha, {.jammer20 = -3}),
                        "The torpedo will have an accuracy of 35 %. that's a decrease of 0 %."},
                    Row{"a torpedo appended twice has no figure", torpedo(UnlockedTwice, {}),
                        "No figures for this torpedo"}));

TEST(JammersNotices, NoTorpedoLeavesThePanelAsItIs) {
    EXPECT_FALSE(computeJammers(JammersInputs{.jammer20 = 2}).text);
}

TEST(JammersStrengths, AreSinglePrecision) {
    EXPECT_EQ(jammingStrength(0, 2, 0, 0), 0.36f);
    EXPECT_EQ(jammingStrength(3, 0, 0, 0), 0.271f);
    EXPECT_EQ(computerStrength(0, 2, 0), 0.51f);
    EXPECT_EQ(jammingStrength(0, 1, 1, 0), 0.44f);
}

} // namespace
} // namespace kc::pages
