#pragma once

// The driver's batch lines: one JSON object a line in, one a line out. Qt-free and self-contained, so that
// what a script sends is read exactly (the "id" comes back byte for byte as it was written).

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kc::cli {

struct ScenarioLine {
    // The "id" value exactly as written on the line ("null" when there is none).
    std::string idJson = "null";
    // The "args" strings, in UTF-8.
    std::vector<std::string> args;
};

// A line of the form {"id": <any JSON value>, "args": ["NAME=VALUE", ...]} (other keys ignored); or why it
// is not one. `idJson` is filled as far as it could be read, for the answer to a refused line.
struct RefusedLine {
    std::string idJson = "null";
    std::string reason;
};
std::variant<ScenarioLine, RefusedLine> parseScenarioLine(std::string_view line);

// `utf8` as a JSON string, quotes included; control characters escaped, everything else as it is.
std::string jsonString(std::string_view utf8);

} // namespace kc::cli
