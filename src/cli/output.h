#pragma once

#include "cli/scenario.h"

#include <ostream>
#include <string>

namespace kc::cli {

// Escapes a control's text for one output line: line feed "\n", carriage return "\r", backslash "\\", any
// other control character "\xHH".
QString escapeText(const QString& text);

// The run as NAME=TEXT lines: message= and error= lines as they happened, then the results; a refusal goes to
// `err`.
void printLines(const ScenarioOutcome& outcome, std::ostream& out, std::ostream& err);

// The run as one JSON object on one line (no line break at its end):
// {"id": <idJson>, "exit": 0|1|2, "results": {NAME: TEXT or [TEXT, ...]}, "errors": [...], "messages": [...]}
std::string jsonAnswer(const std::string& idJson, const ScenarioOutcome& outcome);

} // namespace kc::cli
