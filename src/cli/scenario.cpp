#include "cli/scenario.h"

#include "app/calculator_page.h"
#include "app/main_window.h"
#include "app/page_text.h"

#include <QAbstractItemView>

namespace kc::cli {

int ScenarioOutcome::exitStatus() const {
    if (!refusal.isEmpty())
        return 2;
    const auto isError = [](const Event& event) { return event.kind == Event::Kind::Error; };
    const bool errorReported = std::any_of(events.begin(), events.end(), isError) ||
                               std::any_of(closingEvents.begin(), closingEvents.end(), isError);
    return errorReported ? 1 : 0;
}

RecordingDialogs::RecordingDialogs() : previous_(app::setUserDialogs(this)) {}

RecordingDialogs::~RecordingDialogs() {
    app::setUserDialogs(previous_);
}

void RecordingDialogs::showMessage(const QString& /*caption*/, const QString& text,
                                   app::MessageIcon /*icon*/) {
    events_.push_back({Event::Kind::Message, text});
}

void RecordingDialogs::showError(const QString& text) {
    events_.push_back({Event::Kind::Error, text});
}

std::optional<QString> RecordingDialogs::askText(const QString&, const QString&, const QString& initial,
                                                 int) {
    if (answers_.pending)
        return std::exchange(answers_.pending, std::nullopt);
    if (std::exchange(answers_.acceptInitial, false))
        return initial;
    return std::nullopt;
}

std::vector<Event> RecordingDialogs::take() {
    return std::exchange(events_, {});
}

std::optional<Assignment> splitAssignment(const QString& argument) {
    const qsizetype equals = argument.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    return Assignment{argument.left(equals), argument.mid(equals + 1)};
}

namespace {

QWidget* findControl(const app::TForm1& window, const QString& name) {
    if (name.isEmpty())
        return nullptr;
    return window.findChild<QWidget*>(name);
}

void readResults(const app::TForm1& window, const std::set<int>& pages, std::vector<ResultControl>& results) {
    for (const int index : pages) {
        const app::CalculatorPage* page = window.page(index);
        for (const QString& name : page->resultControls()) {
            const auto* control = page->findChild<QWidget*>(name);
            const QStringList lines =
                control != nullptr ? app::controlTexts(control) : QStringList{QString()};
            const bool isList = qobject_cast<const QAbstractItemView*>(control) != nullptr;
            results.push_back({name, isList ? lines : QStringList{lines.value(0)}, isList});
        }
    }
}

} // namespace

void runAssignments(app::TForm1& window, const std::vector<Assignment>& assignments, Strictness strictness,
                    RecordingDialogs& dialogs, ScenarioOutcome& outcome) {
    for (const Assignment& assignment : assignments) {
        if (findControl(window, assignment.name) == nullptr) {
            outcome.refusal = QStringLiteral("unknown control '%1' in argument '%1=%2' (see --help PAGE)")
                                  .arg(assignment.name, assignment.value);
            return;
        }
    }
    for (const Assignment& assignment : assignments) {
        QWidget* control = findControl(window, assignment.name);
        if (const auto problem = applyValue(control, assignment.value, dialogs.answers(), strictness)) {
            outcome.refusal = QStringLiteral("bad argument '%1=%2': %1 %3")
                                  .arg(assignment.name, assignment.value, *problem);
            return;
        }
        if (assignment.name == QLatin1String("cmbTab")) {
            outcome.pagesUsed.insert(window.activePageIndex());
        } else if (const int page = window.indexOfPage(control); page >= 0) {
            outcome.pagesUsed.insert(page);
            outcome.pagesChanged.insert(page);
        }
    }
    readResults(window, outcome.pagesUsed, outcome.results);
}

} // namespace kc::cli
