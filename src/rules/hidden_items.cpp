#include "rules/hidden_items.h"

namespace kc::rules {

void appendHiddenItems(std::vector<std::string>& hiddenItems) {
    hiddenItems.insert(hiddenItems.end(), kHiddenItemNames.begin(), kHiddenItemNames.end());
}

} // namespace kc::rules
