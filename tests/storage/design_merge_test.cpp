#include "storage/design_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kc::storage {
namespace {

// A store as a copy of the program holds it after reading `names` from the file ("name=ships").
CloakDesigns read(const std::vector<std::string>& designs) {
    CloakDesigns store;
    for (const std::string& design : designs) {
        const auto equals = design.find('=');
        AddDesign(store, design.substr(0, equals));
        if (equals != std::string::npos)
            store.records.at(static_cast<std::size_t>(store.count - 1)).number =
                static_cast<std::uint16_t>(std::stoi(design.substr(equals + 1)));
    }
    markSynced(store);
    return store;
}

std::vector<std::string> shown(const CloakDesigns& store) {
    std::vector<std::string> designs;
    for (int slot = 0; slot < store.count; ++slot) {
        const DesignRecord& record = store.records.at(static_cast<std::size_t>(slot));
        std::string design = designName(record);
        if (record.number != 0)
            design += '=' + std::to_string(record.number);
        designs.push_back(design);
    }
    return designs;
}

void setShips(CloakDesigns& store, int slot, int ships) {
    store.records.at(static_cast<std::size_t>(slot)).number = static_cast<std::uint16_t>(ships);
}

TEST(CombineDesigns, KeepsWhatAnotherCopySavedAndPutsThisCopysChangesOnTop) {
    struct Row {
        const char* reason;
        std::vector<std::string> base;             // the file as this copy read it
        std::vector<std::string> theirs;           // the file as another copy left it
        std::function<void(CloakDesigns&)> change; // what this copy did meanwhile
        std::vector<std::string> expected;         // empty: cannot be combined
        bool combines = true;
    };
    const Row rows[] = {
        {"both add", {}, {"One"}, [](CloakDesigns& s) { AddDesign(s, "Two"); }, {"One", "Two"}},
        {"they add, we change", {"A"}, {"A", "B"}, [](CloakDesigns& s) { setShips(s, 0, 5); }, {"A=5", "B"}},
        {"they remove, we add", {"A", "B"}, {"B"}, [](CloakDesigns& s) { AddDesign(s, "C"); }, {"B", "C"}},
        {"they change, we remove another",
         {"A", "B"},
         {"A=3", "B"},
         [](CloakDesigns& s) { RemoveDesign(s, 1); },
         {"A=3"}},
        {"both remove the same", {"A", "B"}, {"B"}, [](CloakDesigns& s) { RemoveDesign(s, 0); }, {"B"}},
        {"they reorder by removing, we change the moved one",
         {"A", "B", "C"},
         {"B", "C"},
         [](CloakDesigns& s) { setShips(s, 2, 9); },
         {"B", "C=9"}},
        {"both change the same", {"A"}, {"A=2"}, [](CloakDesigns& s) { setShips(s, 0, 3); }, {}, false},
        {"we change what they removed",
         {"A", "B"},
         {"B"},
         [](CloakDesigns& s) { setShips(s, 0, 3); },
         {},
         false},
        {"we remove what they changed",
         {"A"},
         {"A=2"},
         [](CloakDesigns& s) { RemoveDesign(s, 0); },
         {},
         false},
        {"more than sixteen",
         {},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"},
         [](CloakDesigns& s) { AddDesign(s, "17"); },
         {},
         false},
    };
    for (const Row& row : rows) {
        CloakDesigns ours = read(row.base);
        row.change(ours);
        const std::optional<CloakDesigns> combined =
            combineDesigns(encodeDesigns(read(row.base)), encodeDesigns(read(row.theirs)), ours);
        ASSERT_EQ(combined.has_value(), row.combines) << row.reason;
        if (!combined)
            continue;
        EXPECT_EQ(shown(*combined), row.expected) << row.reason;
        // The combined store counts as read from the file it is about to be written to.
        EXPECT_EQ(combineDesigns(encodeDesigns(*combined), encodeDesigns(*combined), *combined)->records,
                  combined->records)
            << row.reason;
    }
}

TEST(ClassifyDesignFile, TellsDesignsFromOtherBytes) {
    const DesignFileImage good = encodeDesigns(read({"Scout", "Tank"}));
    std::vector<std::uint8_t> bytes(good.begin(), good.end());
    EXPECT_EQ(classifyDesignFile(bytes), DesignFileKind::Designs);
    EXPECT_EQ(classifyDesignFile(std::span(bytes).first(351)), DesignFileKind::TooShort);
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_EQ(classifyDesignFile(longer), DesignFileKind::LongerFile);
    std::vector<std::uint8_t> inUseTwo = bytes;
    inUseTwo[20] = 2;
    EXPECT_EQ(classifyDesignFile(inUseTwo), DesignFileKind::NotDesignFile);
    std::vector<std::uint8_t> longName = bytes;
    longName[7] = 9;
    EXPECT_EQ(classifyDesignFile(longName), DesignFileKind::NotDesignFile);
    std::vector<std::uint8_t> designAfterFreeSlot = bytes;
    designAfterFreeSlot[20] = 0; // the new design would take Tank's slot
    EXPECT_EQ(classifyDesignFile(designAfterFreeSlot), DesignFileKind::DesignAfterFreeSlot);
}

} // namespace
} // namespace kc::storage
