#pragma once

#include <optional>

namespace kc::app {

// One on/off setting: its value name under the settings key and its value when never stored.
struct Setting {
    const char* name;
    bool defaultOn;
};

inline constexpr Setting kAutoDropSetting{"autodrop", true};
inline constexpr Setting kLargeFontSetting{"largefont", false};

// The two settings live under the per-user key Software\Tarvellin\kc 3.0 (a file under ~/.config elsewhere),
// each a 32-bit integer where any non-zero value means on. The store is opened for each access and closed at
// once, so another instance of the program sees every change.
class SettingsStore {
public:
    // Whether the key exists, without creating it. Fails with "File access denied: ..." when a settings file
    // is not a regular file (it is then never opened).
    static bool keyExists();
    // The stored value; nullopt when the value does not exist. A value that is not a 32-bit integer fails
    // with "Invalid data type for '<name>'".
    static std::optional<bool> read(const Setting& setting);
    // Creates the key when needed and stores 1 or 0. A write that does not reach the store, whether the key
    // cannot be opened for writing or the write itself fails, fails with "Failed to set data for '<name>'".
    static void write(const Setting& setting, bool on);
};

} // namespace kc::app
