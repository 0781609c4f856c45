#pragma once

#include <QStringList>

#include <istream>
#include <ostream>

namespace kc::cli {

// korvathcalc-cli: runs the real window off-screen, applies NAME=VALUE arguments in order as a user would and
// prints the result controls of every page it touched; or answers a batch of such runs read from `in` or a
// file (see --help). Needs a QApplication.
// Exit status: 0, 1 when an error was reported, 2 for unknown names or malformed arguments.
int runDriver(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace kc::cli
