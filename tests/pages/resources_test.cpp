#include "pages/resources.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

struct Traits {
    bool joat = false, he = false, obrm = false;
};

ResourcesInputs race(Traits traits, std::int32_t colonistsPerResource = 1000, std::int32_t output = 10,
                     std::int32_t operated = 10, std::int32_t value = 100) {
    return {traits.joat, traits.he, traits.obrm, colonistsPerResource, output, operated, value};
}

struct Row {
    const char* reason;
    ResourcesInputs inputs;
    std::int64_t production;
};

class ResourcesResults : public testing::TestWithParam<Row> {};

TEST_P(ResourcesResults, MatchTheGame) {
    const Row& row = GetParam();
    const ResourcesOutcome outcome = computeResources(row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.production, row.production) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ResourcesResults,
    testing::Values(Row{"defaults", race({}), 2000}, Row{"JoaT", race({.joat = true}), 2400},
                    Row{"HE", race({.he = true}), 1000}, Row{"OBRM", race({.obrm = true}), 2200},
                    Row{"JoaT and OBRM", race({.joat = true, .obrm = true}), 2640},
                    Row{"HE and OBRM", race({.he = true, .obrm = true}), 1100},
                    Row{"JoaT wins over HE", race({.joat = true, .he = true}), 2400},
                    Row{"planet value 0", race({}, 1000, 10, 10, 0), 0},
                    Row{"700 colonists a resource: 1428 from colonists", race({}, 700), 2428},
                    Row{"the largest settings", race({}, 2500, 15, 25), 4150},
                    Row{"planet value 13", race({}, 1000, 10, 10, 13), 260},
                    Row{"planet value 33", race({}, 1000, 10, 10, 33), 660},
                    Row{"exact: 105 from factories, where reals give 104.999...", race({}, 1251, 14, 25, 3),
                        128},
                    Row{"only the sum is truncated: 12.1 - 14 gives -1", race({}, -700, 11, 11, 1), -1},
                    Row{"a negative value", race({}, 1000, 10, 10, -5), -100},
                    Row{"beyond 32 bits without wrapping", race({}, 1000, 10, 10, 2147483647), 42949672940}));

struct FailureRow {
    const char* reason;
    ResourcesInputs inputs;
    const char* message;
};

class ResourcesFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(ResourcesFailures, StopWithTheRuntimeMessage) {
    const FailureRow& row = GetParam();
    const ResourcesOutcome outcome = computeResources(row.inputs);
    ASSERT_TRUE(outcome.failure) << row.reason;
    EXPECT_STREQ(outcome.failure->what(), row.message) << row.reason;
    EXPECT_FALSE(outcome.text) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ResourcesFailures,
    testing::Values(FailureRow{"no colonists per resource", race({}, 0), "Division by zero"},
                    FailureRow{"a production beyond 64 bits",
                               race({.joat = true}, 1, 2147483647, 2147483647, 2147483647),
                               "Invalid floating point operation"}));

} // namespace
} // namespace kc::pages
