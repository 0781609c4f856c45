#pragma once

namespace kc::rules {
struct GameTables;
}

namespace kc::app {

// What the window shares with its pages: read-only data that lives as long as the window.
struct PageContext {
    const rules::GameTables& tables;
};

} // namespace kc::app
