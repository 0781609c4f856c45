#include "pages/unlocking.h"

#include "rules/hidden_items.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

std::vector<std::string> hiddenItems() {
    std::vector<std::string> items;
    rules::appendHiddenItems(items);
    return items;
}

TEST(UnlockingTest, OnlyAsciiCapitalsAreLowered) {
    EXPECT_EQ(lowerAsciiLetters("Anti MATTER Torpedo"), "anti matter torpedo");
    EXPECT_EQ(lowerAsciiLetters("\xC3\x89nigma [Z@]"), "\xC3\x89nigma [z@]"); // É stays, so does '@' and '['
}

TEST(UnlockingTest, TheTypedNameMustMatchAnEntryExactly) {
    const std::vector<std::string> items = hiddenItems();
    struct Case {
        const char* typed;
        std::optional<int> position;
    };
    for (const Case& c : {Case{"Mega Poly Shell", 0}, Case{"MULTI CONTAINED MUNITION", 7},
                          Case{"anti matter torpedo", 11}, Case{"enigma pulsar", 1}, Case{" jump gate", {}},
                          Case{"jump gate ", {}}, Case{"", {}}, Case{"\xC3\x89NIGMA PULSAR", {}}})
        EXPECT_EQ(findHiddenItem(items, c.typed), c.position) << c.typed;
}

TEST(UnlockingTest, ThreeItemsGoToTheListsThatUseThem) {
    EXPECT_EQ(unlockTargets(0), (std::vector<std::string_view>{"cmbFuelEngine", "cmbEngine"}));
    EXPECT_EQ(unlockTargets(7), (std::vector<std::string_view>{"cmbDamageWeapon", "cmbWeapon"}));
    EXPECT_EQ(unlockTargets(11), (std::vector<std::string_view>{"cmbTorpType"}));
    for (const int position : {1, 2, 3, 4, 5, 6, 8, 9, 10})
        EXPECT_TRUE(unlockTargets(position).empty()) << position;
}

} // namespace
} // namespace kc::pages
