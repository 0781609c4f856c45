#include "pages/bombing.h"

#include "rules/game_tables.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

// Bomb and defense type list positions.
enum Bomb { LadyFinger = 0, Cherry = 4, Lbu17 = 5, Lbu74 = 7, ColonyModule = 8, Smart = 9, Peerless = 12 };
constexpr int kNeutronShield = 4;

rules::BombRecords bombTable() {
    rules::BombRecords table{};
    rules::fillBombTable(table);
    return table;
}

struct Fleet {
    std::array<BombRowInput, kBombRowCount> rows{};
    std::int32_t bombers = 1;
};

BombingInputs planet(Fleet fleet, std::int32_t population = 250000, int defenseType = -1,
                     std::int32_t defenses = 0) {
    return BombingInputs{.rows = fleet.rows,
                         .bombers = fleet.bombers,
                         .population = population,
                         .defenseType = defenseType,
                         .defenses = defenses};
}

struct PageRow {
    const char* reason;
    BombingInputs inputs;
    const char* bombing;
    const char* coverage;
};

class BombingTexts : public testing::TestWithParam<PageRow> {};

TEST_P(BombingTexts, MatchTheGame) {
    const PageRow& row = GetParam();
    const BombingOutcome outcome = computeBombing(bombTable(), row.inputs);
    ASSERT_FALSE(outcome.failure) << row.reason << ": " << outcome.failure->what();
    EXPECT_EQ(outcome.bombingText, row.bombing) << row.reason;
    EXPECT_EQ(outcome.coverageText, row.coverage) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, BombingTexts,
    testing::Values(
        PageRow{"a percentage of the population", planet({{{{10, Cherry}}}}, 25000),
                "6250 (25%) colonists are killed and\n\r100 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{"the minimum kill of the whole fleet", planet({{{{10, LadyFinger}}}}, 25000),
                "3000 (12%) colonists are killed and\n\r20 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{"smart bombs act on the survivors", planet({{{{10, Cherry}, {5, Peerless}}}}),
                "104916 (41.9%) colonists are killed and\n\r100 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{"defenses; installations held back by half the coverage",
                planet({{{{10, Cherry}, {5, Peerless}}}}, 250000, kNeutronShield, 10),
                "81241 (32.4%) colonists are killed and\n\r83 installations are destroyed by this fleet.",
                "32.04% Defense coverage"},
        PageRow{"a colony module kills its minimum only", planet({{{{1, ColonyModule}}}}, 25000),
                "2000 (8%) colonists are killed and\n\r0 installations are destroyed by this fleet.",
                "0% Defense coverage"}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, BombingTexts,
    testing::Values(
        PageRow{"no bombs at all", planet({}),
                "0 (0%) colonists are killed and\n\r0 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{"the coverage is written without bombs", planet({}, 25000, kNeutronShield, 10),
                "0 (0%) colonists are killed and\n\r0 installations are destroyed by this fleet.",
                "32.04% Defense coverage"},
        PageRow{"no defenses: the chosen type has no effect",
                planet({{{{10, Cherry}, {5, Peerless}}}}, 250000, kNeutronShield, 0),
                "104916 (41.9%) colonists are killed and\n\r100 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{"the kill never exceeds the population", planet({{{{10, Cherry}, {16, Peerless}}}}, 100),
                "100 (100%) colonists are killed and\n\r100 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        // Rounding only once, after both rows, would give 355758.
        PageRow{"smart rows compound in single precision row by row",
                planet({{{{8, Smart}, {16, Smart}}}}, 1320000),
                "355759 (26.9%) colonists are killed and\n\r0 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{
            "16 bombs on each of 5000 bombers, counted in full", planet({{{{16, Lbu74}}}, 5000}, 1320000),
            "1320000 (100%) colonists are killed and\n\r3600000 installations are destroyed by this fleet.",
            "0% Defense coverage"},
        PageRow{"rows without bombs need no type; bombers of 0 carry none",
                planet({{{{0, -1}, {16, -1}}}, 0}, 25000),
                "0 (0%) colonists are killed and\n\r0 installations are destroyed by this fleet.",
                "0% Defense coverage"},
        PageRow{"counts typed in the billions finish",
                planet({{{{2147483647, Peerless}, {2147483647, Smart}}}, 2147483647}, 1320000, kNeutronShield,
                       2147483647),
                "0 (0%) colonists are killed and\n\r0 installations are destroyed by this fleet.",
                "100% Defense coverage"}));

INSTANTIATE_TEST_SUITE_P(
    Notices, BombingTexts,
    testing::Values(PageRow{"a row with bombs and no type", planet({{{{1, Cherry}, {0, -1}, {2, -1}}}}),
                            "Select a bomb type for row 3", "0% Defense coverage"},
                    PageRow{"defenses without a type", planet({{{{1, Cherry}}}}, 250000, -1, 1),
                            "Select a defense type", "Select a defense type"},
                    PageRow{"a missing bomb type is named first", planet({{{{1, -1}}}}, 250000, -1, 1),
                            "Select a bomb type for row 1", "Select a defense type"}));

TEST(BombFleet, GivesBothResults) {
    EXPECT_EQ(BombFleet(bombTable(), {Lbu17, -1, -1, -1}, {80000, 0, 0, 0}, 1320000, -1, 0),
              (BombFleetResult{.colonistsKilled = 1320000, .installationsDestroyed = 1280000}));
    EXPECT_FALSE(BombFleet(bombTable(), {14, -1, -1, -1}, {1, 0, 0, 0}, 25000, -1, 0))
        << "a list position past the smart bombs has no figures";
}

TEST(BombingFailures, StopBeforeEitherText) {
    const struct {
        const char* reason;
        BombingInputs inputs;
    } rows[] = {
        {"a population of 0 divides 0 by 0", planet({{{{10, Cherry}}}}, 0)},
        {"a typed minimum kill beyond 64 bits", planet({{{{2147483647, LadyFinger}}}, 2147483647})},
    };
    for (const auto& row : rows) {
        const BombingOutcome outcome = computeBombing(bombTable(), row.inputs);
        ASSERT_TRUE(outcome.failure) << row.reason;
        EXPECT_STREQ(outcome.failure->what(), "Invalid floating point operation") << row.reason;
        EXPECT_FALSE(outcome.bombingText) << row.reason;
        EXPECT_FALSE(outcome.coverageText) << row.reason;
    }
}

} // namespace
} // namespace kc::pages
