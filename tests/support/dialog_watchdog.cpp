#include "support/dialog_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>

namespace kc::test {

namespace {

constexpr int kLookEveryMs = 100;

std::deque<DialogAnswer>& expected() {
    static std::deque<DialogAnswer> answers;
    return answers;
}

// The dialog last answered: it may take a moment to close, and must not be answered twice.
QPointer<QWidget> answered;

QString describe(const QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts.join(QStringLiteral(" | "));
}

void closeUnexpected(QWidget& dialog) {
    ADD_FAILURE() << "A dialog no test expected opened and was closed: " << describe(dialog).toStdString();
    if (auto* modal = qobject_cast<QDialog*>(&dialog))
        modal->reject();
    else
        dialog.close();
}

void lookForDialogs() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || dialog == answered)
        return;
    if (expected().empty()) {
        closeUnexpected(*dialog);
        return;
    }
    answered = dialog;
    const DialogAnswer answer = std::move(expected().front());
    expected().pop_front();
    answer(*dialog);
}

} // namespace

void expectDialog(DialogAnswer answer) {
    expected().push_back(std::move(answer));
}

int dialogsStillExpected() {
    return static_cast<int>(expected().size());
}

void forgetExpectedDialogs() {
    expected().clear();
}

void startDialogWatchdog() {
    // Timers also fire inside a dialog's own event loop, which is where a test waits while a box is open.
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, &lookForDialogs);
    timer->start(kLookEveryMs);
}

} // namespace kc::test
