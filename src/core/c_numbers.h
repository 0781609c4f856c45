#pragma once

#include "core/extended.h"

namespace kc {

// strtold and strtod in the "C" locale, whatever locale the process runs in (the GUI sets the user's, whose
// decimal point may be a comma). Same results on Linux and Windows.
Extended cStrtold(const char* text, char** end = nullptr);
double cStrtod(const char* text, char** end = nullptr);

} // namespace kc
