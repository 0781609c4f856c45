#include "cli/batch.h"

#include "app/main_window.h"
#include "app/pages/cloaking_page.h"
#include "cli/json_line.h"
#include "cli/output.h"
#include "cli/scenario.h"
#include "parser/parser.h"

#include <QApplication>

#include <memory>
#include <string>

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

int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options) {
    RecordingDialogs dialogs;
    parser::setRandomSeed(0);
    auto window = std::make_unique<app::TForm1>(app::StartupOptions{options.designFile, true});
    // What the window's creation reported, every fresh run meets again.
    const std::vector<Event> atCreation = dialogs.take();
    window->show();
    const storage::CloakDesigns designsAtStart = window->findChild<app::CloakingPage*>()->designs();
    const QString focusAtStart =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName() : QString();

    bool fresh = true;
    std::set<int> pagesChanged;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ScenarioOutcome outcome;
        const auto parsed = parseScenarioLine(line);
        if (const auto* refused = std::get_if<RefusedLine>(&parsed)) {
            outcome.refusal = QString::fromStdString(refused->reason);
            out << jsonAnswer(refused->idJson, outcome) << '\n' << std::flush;
            continue;
        }
        const ScenarioLine& scenario = std::get<ScenarioLine>(parsed);
        std::vector<Assignment> assignments;
        if (const std::optional<QString> malformed = assignmentsOf(scenario.args, assignments)) {
            outcome.refusal = *malformed;
            out << jsonAnswer(scenario.idJson, outcome) << '\n' << std::flush;
            continue;
        }
        if (!fresh) {
            parser::setRandomSeed(0);
            window->startOver(pagesChanged, designsAtStart);
            if (auto* focused = window->findChild<QWidget*>(focusAtStart);
                focused != nullptr && !focusAtStart.isEmpty())
                focused->setFocus();
        }
        fresh = false;
        outcome.events = atCreation;
        for (Event& event : dialogs.take())
            outcome.events.push_back(std::move(event));
        runAssignments(*window, assignments, options.strictness, dialogs, outcome);
        for (Event& event : dialogs.take())
            outcome.events.push_back(std::move(event));
        pagesChanged = outcome.pagesChanged;
        out << jsonAnswer(scenario.idJson, outcome) << '\n' << std::flush;
    }
    return 0;
}

} // namespace kc::cli
