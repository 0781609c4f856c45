#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace kc::cli {

// Where a control's value comes from when the driver sets it.
struct TextAnswerSlot {
    // The answer the next text question gets, set before a button is clicked.
    std::optional<QString> pending;
    // A plain click: the next text question keeps its pre-filled answer (OK without typing).
    bool acceptInitial = false;
};

// How strictly values are taken. Window-faithful (the default): a box takes any text as typed and reads it as
// the window does (an integer box reads "abc" as its minimum), a list that allows typing takes text that is
// no item. Strict: a value the control would not read as typed is refused (not an integer, outside the box's
// range or past its typing limit, no item of the list).
enum class Strictness { WindowFaithful, Strict };

// Sets a control to VALUE the way a user would, firing its handlers. Returns a sentence naming the problem
// when the control cannot take that value (a check box given 2, a list without that item, ...).
std::optional<QString> applyValue(QWidget* control, const QString& value, TextAnswerSlot& answers,
                                  Strictness strictness = Strictness::WindowFaithful);

// A one-line description of an input control for --help: its kind, range, items and initial state; empty for
// widgets the driver cannot set.
QString describeControl(const QWidget* control);

} // namespace kc::cli
