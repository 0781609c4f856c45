#include "pages/jammers.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

// Base accuracies of "Alpha Torpedo", "Rho Torpedo", "Omega Torpedo" and the unlockable torpedo.
constexpr std::int32_t kAlpha = 35;
constexpr std::int32_t kRho = 75;
constexpr std::int32_t kOmega = 80;
constexpr std::int32_t kUnlocked = 85;

struct Devices {
    std::int32_t jammer10 = 0, jammer20 = 0, jammer30 = 0, jammer50 = 0;
    std::int32_t computer = 0, superComputer = 0, nexus = 0;
};

JammersInputs torpedo(std::optional<std::int32_t> base, Devices d) {
    return JammersInputs{.jammer10 = d.jammer10,
                         .jammer20 = d.jammer20,
                         .jammer30 = d.jammer30,
                         .jammer50 = d.jammer50,
                         .computer = d.computer,
                         .superComputer = d.superComputer,
                         .nexus = d.nexus,
                         .torpedoChosen = true,
                         .baseAccuracy = base};
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
    testing::Values(Row{"nothing on either side", torpedo(kAlpha, {}),
                        "The torpedo will have an accuracy of 35 %. that's a decrease of 0 %."},
                    Row{"two Jammer 20", torpedo(kAlpha, {.jammer20 = 2}),
                        "The torpedo will have an accuracy of 22 %. that's a decrease of 13 %."},
                    Row{"one computer", torpedo(kAlpha, {.computer = 1}),
                        "The torpedo will have an accuracy of 48 %. that's an increase of 13 %."},
                    Row{"equal strengths", torpedo(kOmega, {.jammer50 = 1, .nexus = 1}),
                        "The torpedo will have an accuracy of 80 %. that's a decrease of 0 %."},
                    Row{"both sides, computers ahead", torpedo(kRho, {.jammer10 = 3, .superComputer = 2}),
                        "The torpedo will have an accuracy of 81 %. that's an increase of 6 %."}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, JammersTexts,
    testing::Values(Row{"a tie between different kinds goes to the jamming branch",
                        torpedo(kAlpha, {.jammer20 = 1, .computer = 1}),
                        "The torpedo will have an accuracy of 35 %. that's a decrease of 0 %."},
                    Row{"kinds on one side combine multiplicatively (J = 0.44)",
                        torpedo(kAlpha, {.jammer20 = 1, .jammer30 = 1}),
                        "The torpedo will have an accuracy of 20 %. that's a decrease of 15 %."},
                    Row{"fifty Jammer 50 take the whole base accuracy", torpedo(kOmega, {.jammer50 = 50}),
                        "The torpedo will have an accuracy of 0 %. that's a decrease of 80 %."},
                    Row{"the unlocked torpedo", torpedo(kUnlocked, {.nexus = 3}),
                        "The torpedo will have an accuracy of 98 %. that's an increase of 13 %."},
                    Row{"counts typed in the billions finish",
                        torpedo(kOmega, {.jammer10 = 2147483647, .nexus = 2147483647}),
                        "The torpedo will have an accuracy of 80 %. that's a decrease of 0 %."},
                    Row{"a negative count adds no strength", torpedo(kAlpha, {.jammer20 = -3}),
                        "The torpedo will have an accuracy of 35 %. that's a decrease of 0 %."},
                    Row{"a list position without a figure", torpedo(std::nullopt, {}),
                        "No figures for this torpedo"}));

TEST(JammersStrengths, AreSinglePrecision) {
    EXPECT_EQ(jammingStrength(0, 2, 0, 0), 0.36f);
    EXPECT_EQ(jammingStrength(3, 0, 0, 0), 0.271f);
    EXPECT_EQ(computerStrength(0, 2, 0), 0.51f);
    EXPECT_EQ(jammingStrength(0, 1, 1, 0), 0.44f);
}

} // namespace
} // namespace kc::pages
