#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kc::app {

class CalculatorPage;

// What a result control shows: one entry per line of a list, one entry otherwise.
QStringList controlTexts(const QWidget* control);

// The page as plain text, ready to paste into a forum post: its caption, each input as "name: value" in the
// order the keyboard visits them, then each result as "what it is: text" (a result of several lines below
// its name, one line each).
QString pageAsText(const CalculatorPage& page);

} // namespace kc::app
