#include "cli/batch.h"

#include "app/main_window.h"
#include "app/pages/cloaking_page.h"
#include "cli/json_line.h"
#include "cli/output.h"
#include "parser/parser.h"

namespace kc::cli {

namespace {

// A malformed argument is refused before a run starts, as the driver refuses it on its command line.
std::optional<QString> assignmentsOf(const std::vector<std::string>& arguments,
                                     std::vector<Assignment>& assignments) {
    for (const std::string& argument : arguments) {
        const QString text = QString::fromStdString(argument);
        const std::optional<Assignment> assignment = splitAssignment(text);
        if (!assignment)
            return QStringLiteral("malformed argument '%1': expected NAME=VALUE (see --help)").arg(text);
        assignments.push_back(*assignment);
    }
    return std::nullopt;
}

} // namespace

BatchSession::BatchSession(const BatchOptions& options) : options_(options) {
    parser::setRandomSeed(0);
    window_ = std::make_unique<app::TForm1>(app::StartupOptions{options_.designFile, true});
    atCreation_ = dialogs_.take();
    window_->show();
    designsAtStart_ = window_->findChild<app::CloakingPage*>()->designs();
}

BatchSession::~BatchSession() = default;

std::string BatchSession::answer(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    ScenarioOutcome outcome;
    const auto parsed = parseScenarioLine(line);
    if (const auto* refused = std::get_if<RefusedLine>(&parsed)) {
        outcome.refusal = QString::fromStdString(refused->reason);
        return jsonAnswer(refused->idJson, outcome);
    }
    const ScenarioLine& scenario = std::get<ScenarioLine>(parsed);
    std::vector<Assignment> assignments;
    if (const std::optional<QString> malformed = assignmentsOf(scenario.args, assignments)) {
        outcome.refusal = *malformed;
        return jsonAnswer(scenario.idJson, outcome);
    }
    if (!std::exchange(fresh_, false)) {
        parser::setRandomSeed(0);
        window_->startOver(pagesChanged_, designsAtStart_);
    }
    outcome.events = atCreation_;
    for (Event& event : dialogs_.take())
        outcome.events.push_back(std::move(event));
    runAssignments(*window_, assignments, options_.strictness, dialogs_, outcome);
    for (Event& event : dialogs_.take())
        outcome.events.push_back(std::move(event));
    pagesChanged_ = outcome.pagesChanged;
    return jsonAnswer(scenario.idJson, outcome);
}

int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options) {
    BatchSession session(options);
    for (std::string line; std::getline(in, line);)
        out << session.answer(line) << '\n' << std::flush;
    return 0;
}

} // namespace kc::cli
