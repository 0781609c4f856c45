#pragma once

#include <QStringList>

#include <ostream>

namespace kc::cli {

// korvathcalc-cli: runs the real window off-screen, applies NAME=VALUE arguments in order as a user would and
// prints the result controls of every page it touched. Needs a QApplication.
// Exit status: 0, 1 when an error was reported, 2 for unknown names or malformed arguments.
int runDriver(const QStringList& arguments, std::ostream& out, std::ostream& err);

// Escapes a control's text for one output line: line feed "\n", carriage return "\r", backslash "\\".
QString escapeText(const QString& text);

} // namespace kc::cli
