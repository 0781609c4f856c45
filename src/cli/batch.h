#pragma once

#include "cli/control_access.h"
#include "cli/scenario.h"
#include "storage/cloak_designs.h"

#include <QString>

#include <istream>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kc::app {
class TForm1;
}

namespace kc::cli {

struct BatchOptions {
    QString designFile;
    Strictness strictness = Strictness::WindowFaithful;
};

// One window for many scenarios: each batch line is answered with one JSON line (see --help), and the window
// starts over between scenarios as a fresh process would start. The design file is read once and never
// written.
class BatchSession {
public:
    explicit BatchSession(const BatchOptions& options);
    ~BatchSession();
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    // The answer to one line (without its line break).
    std::string answer(std::string_view line);

private:
    BatchOptions options_;
    RecordingDialogs dialogs_;
    std::unique_ptr<app::TForm1> window_;
    // What the window's creation reported: every fresh run meets it again.
    std::vector<Event> atCreation_;
    storage::CloakDesigns designsAtStart_;
    bool fresh_ = true;
    std::set<int> pagesChanged_;
};

// Answers every line of `in` with one JSON line on `out`. Returns the exit status: 0 once every line is
// answered.
int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options);

} // namespace kc::cli
