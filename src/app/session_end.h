#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace kc::app {

// The end of the desktop session as the program meets it: a logout or shutdown sends SIGTERM or SIGHUP (and
// Ctrl+C in a terminal SIGINT), and a session manager asks first to save. On a signal every window closes and
// the program ends its message loop, so the normal shutdown runs; on the request `saveNow` runs. One object
// a program.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(std::function<void()> saveNow, QObject* parent = nullptr);
    ~SessionEnd() override;

    // Whether a signal ended the session already.
    bool ended() const { return ended_; }

private:
    void endSession();

    QSocketNotifier* notifier_ = nullptr;
    bool ended_ = false;
};

} // namespace kc::app
