#pragma once

#include "cli/control_access.h"

#include <QString>

#include <istream>
#include <ostream>

namespace kc::cli {

struct BatchOptions {
    QString designFile;
    Strictness strictness = Strictness::WindowFaithful;
};

// Answers every line of `in` with one JSON line on `out` (see --help), with one window for the whole batch
// that starts over between scenarios. Returns the exit status: 0 once every line is answered.
int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options);

} // namespace kc::cli
