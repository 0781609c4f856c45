#pragma once

#include <QString>

#include <ostream>

namespace kc::app {
class TForm1;
}

namespace kc::cli {

// --help: how to call the driver, the batch format and the pages.
void printUsage(std::ostream& out);
// --help PAGE: the page's controls with their kinds, ranges and initial values, and its results. Returns the
// exit status (2 when there is no such page).
int printPageControls(const app::TForm1& window, const QString& page, std::ostream& out, std::ostream& err);

} // namespace kc::cli
