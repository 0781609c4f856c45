#pragma once

#include <QWidget>

#include <functional>

namespace kc::test {

// Answers a modal dialog that a test expects (for instance by pressing its OK button as a player would).
using DialogAnswer = std::function<void(QWidget& dialog)>;

// The next modal dialog that opens is answered with `answer` instead of failing the test.
void expectDialog(DialogAnswer answer);
// Dialogs still expected; a test that expected one that never came has this above 0 at its end.
int dialogsStillExpected();
// Forgets expected dialogs that never came.
void forgetExpectedDialogs();

// Runs on the main thread for the whole test program: a modal dialog that no test expects fails the running
// test and is closed, so a stray box costs one failure instead of a run that waits forever for a click.
void startDialogWatchdog();

} // namespace kc::test
