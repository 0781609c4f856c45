#include "app/session_end.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kc::app {

namespace {

#ifdef Q_OS_UNIX
// A signal handler may do next to nothing: it writes one byte, and the message loop does the rest.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}
#endif

} // namespace

SessionEnd::SessionEnd(std::function<void()> saveNow, QObject* parent) : QObject(parent) {
    connect(qApp, &QGuiApplication::commitDataRequest, this, [saveNow](QSessionManager&) { saveNow(); });
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::endSession);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
#endif
}

SessionEnd::~SessionEnd() {
#ifdef Q_OS_UNIX
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        std::signal(signal, SIG_DFL);
    if (signalPipe[0] >= 0) {
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
#endif
}

void SessionEnd::endSession() {
#ifdef Q_OS_UNIX
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
#endif
    ended_ = true;
    // A dialog waiting for an answer closes too, so nothing holds the shutdown up. The quit is queued: a
    // signal during start-up (a message box of the first show) comes before the message loop runs.
    QApplication::closeAllWindows();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace kc::app
