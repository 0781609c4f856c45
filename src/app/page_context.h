#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kc::rules {
struct GameTables;
}

namespace kc::app {

// What the window shares with its pages: read-only data that lives as long as the window.
struct PageContext {
    const rules::GameTables& tables;
    // The names the unlocking page accepts; empty until start-up fills the list.
    const std::optional<std::vector<std::string>>& hiddenItems;
};

} // namespace kc::app
