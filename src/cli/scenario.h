#pragma once

// One run of the driver over the window: the assignments applied in order as a user would, what the window
// showed meanwhile (message boxes, error reports) and the result controls of every page the run named.

#include "app/user_dialogs.h"
#include "cli/control_access.h"

#include <QString>
#include <QStringList>

#include <set>
#include <vector>

namespace kc::app {
class TForm1;
}

namespace kc::cli {

struct Assignment {
    QString name;
    QString value;
};

// A message box or an error report, in the order they happened.
struct Event {
    enum class Kind { Message, Error } kind;
    QString text;
};

struct ResultControl {
    QString name;
    QStringList lines; // one, or one per line of a list
    bool isList = false;
};

struct ScenarioOutcome {
    std::vector<Event> events;
    // What the window reported as it closed, after the results were read.
    std::vector<Event> closingEvents;
    std::vector<ResultControl> results;
    // Why the arguments were refused; empty when they were taken.
    QString refusal;
    // The pages whose results are read: those chosen or whose controls the run named.
    std::set<int> pagesUsed;
    // The pages whose controls the run set.
    std::set<int> pagesChanged;

    // 0, 1 when an error was reported, 2 when the arguments were refused.
    int exitStatus() const;
};

// Dialogs that never block: each message and error is recorded as it happens, and a text question gets the
// answer the driver set for it.
class RecordingDialogs final : public app::UserDialogs {
public:
    RecordingDialogs();
    ~RecordingDialogs() override;
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    void showMessage(const QString& caption, const QString& text, app::MessageIcon icon) override;
    void showError(const QString& text) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt, const QString& initial,
                                   int maxLength) override;

    TextAnswerSlot& answers() { return answers_; }
    // The events since the last take.
    std::vector<Event> take();

private:
    app::UserDialogs* previous_;
    TextAnswerSlot answers_;
    std::vector<Event> events_;
};

// "NAME=VALUE" split at its first "="; nullopt for an argument without a name.
std::optional<Assignment> splitAssignment(const QString& argument);

// Applies the assignments in order and reads the results of the pages they named into `outcome`; an unknown
// name or a value a control cannot take refuses the run (no results). Events stay with `dialogs`.
void runAssignments(app::TForm1& window, const std::vector<Assignment>& assignments, Strictness strictness,
                    RecordingDialogs& dialogs, ScenarioOutcome& outcome);

} // namespace kc::cli
