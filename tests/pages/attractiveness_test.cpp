#include "pages/attractiveness.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

constexpr auto kBeam = WeaponType::Beam;
constexpr auto kSapper = WeaponType::Sapper;
constexpr auto kTorpedo = WeaponType::Torpedo;
constexpr auto kMissile = WeaponType::Missile;

AttractivenessInputs design(std::optional<WeaponType> weapon, const char* armor, const char* shields,
                            const char* deflectors, const char* accuracy, const char* resources = "100",
                            const char* boranium = "20") {
    return {resources, boranium, armor, shields, weapon, deflectors, accuracy};
}

struct Row {
    const char* reason;
    AttractivenessInputs inputs;
    std::optional<bool> deflectorsApply;
    const char* label;
};

class AttractivenessRows : public testing::TestWithParam<Row> {};

TEST_P(AttractivenessRows, ShowTheFigureWhenThereIsOne) {
    const Row& row = GetParam();
    const AttractivenessOutcome outcome = computeAttractiveness(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.deflectorsApply, row.deflectorsApply) << row.reason;
    EXPECT_EQ(outcome.attractiveness, row.label) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, AttractivenessRows,
    testing::Values(
        Row{"beam", design(kBeam, "50", "50", "0", "0"), true, "1.2"},
        Row{"beam, two deflectors", design(kBeam, "50", "50", "2", "0"), true, "0.972"},
        Row{"sapper meets the shields only", design(kSapper, "0", "60", "1", "0"), true, "1.8"},
        Row{"torpedo, shields cover the armor", design(kTorpedo, "50", "50", "0", "50"), false, "0.6"},
        Row{"missile, shields cover the armor: armor alone counts", design(kMissile, "50", "50", "0", "50"),
            false, "0.6"},
        Row{"torpedo, armor beyond the shields", design(kTorpedo, "100", "20", "0", "50"), false, "0.5"},
        Row{"missile, armor beyond the shields counts half", design(kMissile, "100", "20", "0", "50"), false,
            "0.75"},
        Row{"no weapon: nothing enabled, empty label", design(std::nullopt, "50", "50", "0", "50"),
            std::nullopt, ""},
        Row{"torpedo that never hits", design(kTorpedo, "50", "50", "0", "0"), false, ""},
        Row{"nothing to pay", design(kBeam, "50", "50", "0", "0", "0", "0"), true, ""},
        Row{"nothing to hit", design(kBeam, "0", "0", "0", "0"), true, ""},
        Row{"four digits, half away, scientific", design(kBeam, "10", "0", "0", "0", "123450", "0"), true,
            "1.235E4"},
        Row{"sums are not wrapped at 32 bits", design(kBeam, "1", "0", "0", "0", "2147483647", "2147483647"),
            true, "4.295E9"},
        Row{"accuracy is a real percentage", design(kTorpedo, "50", "50", "0", "12.5"), false, "0.15"}));

struct FailureRow {
    const char* reason;
    AttractivenessInputs inputs;
    const char* message;
    std::optional<std::string> label; // what the label shows after the failure: absent = unchanged
};

TEST(AttractivenessFailures, StopTheRowWithTheRuntimeMessage) {
    const FailureRow rows[] = {
        {"an empty box", design(kBeam, "", "50", "0", "0"), "'' is not a valid integer value", std::nullopt},
        {"the first bad box is reported", design(kBeam, "x", "y", "0", "0"),
         "'x' is not a valid integer value", std::nullopt},
        {"accuracy is read for beams too", design(kBeam, "50", "50", "0", "5%"),
         "'5%' is not a valid floating point value", std::nullopt},
        {"accuracy beyond an 8-byte real", design(kTorpedo, "50", "50", "0", "1e400"),
         "Floating point overflow", std::nullopt},
        // So many deflectors leave next to nothing of a beam: the defense value leaves the extended range.
        {"after the label is cleared", design(kBeam, "50", "50", "2147483647", "0"),
         "Floating point overflow", ""},
    };
    for (const FailureRow& row : rows) {
        const AttractivenessOutcome outcome = computeAttractiveness(row.inputs);
        ASSERT_TRUE(outcome.failure) << row.reason;
        EXPECT_STREQ(outcome.failure->what(), row.message) << row.reason;
        EXPECT_EQ(outcome.attractiveness, row.label) << row.reason;
        EXPECT_EQ(outcome.deflectorsApply.has_value(), row.label.has_value()) << row.reason;
    }
}

} // namespace
} // namespace kc::pages
