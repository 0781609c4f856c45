#include "real_window/player.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace kc::test {

namespace {

constexpr int kIdleWindowMs = 250;
// A busy loop takes the whole window; a program at rest takes next to nothing of it.
constexpr double kMostBusyMsAtRest = 50;
constexpr int kKeyDelayMs = 15;

// A program stuck in a loop never gives the test its turn again, so a thread keeps the time: an action whose
// program has not come back within the limit ends the run with a message, in seconds instead of at the
// run's timeout.
class HangWatch {
public:
    static HangWatch& instance() {
        static HangWatch watch;
        return watch;
    }
    void arm(std::chrono::milliseconds limit, std::string action) {
        const std::lock_guard lock(mutex_);
        action_ = std::move(action);
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        if (test != nullptr)
            action_ = std::string(test->test_suite_name()) + "." + test->name() + ": " + action_;
        deadline_ = Clock::now() + limit;
        armed_ = true;
    }
    void disarm() {
        const std::lock_guard lock(mutex_);
        armed_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    HangWatch() {
        std::thread([this] {
            for (;;) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                const std::lock_guard lock(mutex_);
                if (armed_ && Clock::now() > deadline_) {
                    std::fprintf(stderr,
                                 "\n%s: the program did not come back to rest (a busy loop or a hang)\n",
                                 action_.c_str());
                    std::fflush(stderr);
                    _exit(3);
                }
            }
        }).detach();
    }

    std::mutex mutex_;
    bool armed_ = false;
    Clock::time_point deadline_;
    std::string action_;
};

constexpr std::chrono::seconds kLongestAction{20};

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void runEventLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

bool Player::waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        runEventLoopFor(10);
    }
    return true;
}

double Player::busyMsWhileIdling() {
    const double before = threadCpuMs();
    runEventLoopFor(kIdleWindowMs);
    return threadCpuMs() - before;
}

// The program keeps running while xdotool sends its input, as it does for a player; then it gets a moment
// to handle what arrived and must be at rest again.
void Player::xdotool(const QStringList& arguments) {
    HangWatch::instance().arm(kLongestAction, "xdotool " + arguments.join(' ').toStdString());
    const auto disarm = qScopeGuard([] { HangWatch::instance().disarm(); });
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(tool.waitForStarted()) << "xdotool is missing";
    ASSERT_TRUE(waitUntil([&] { return tool.state() == QProcess::NotRunning; }, 20000))
        << "xdotool " << arguments.join(' ').toStdString() << " did not finish";
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    runEventLoopFor(50);
    const double busy = busyMsWhileIdling();
    EXPECT_LT(busy, kMostBusyMsAtRest) << "still busy " << busy << " ms of " << kIdleWindowMs
                                       << " ms after xdotool " << arguments.join(' ').toStdString();
}

void Player::at(const QWidget& target, QPoint point) {
    if (point.x() < 0)
        point = target.rect().center();
    const QPoint global = target.mapToGlobal(point);
    // xdotool waits for a move that never comes when the pointer is there already.
    if (QCursor::pos() != global)
        xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
}

void Player::click(const QWidget& target, QPoint point, int button) {
    at(target, point);
    xdotool({"click", QString::number(button)});
}

void Player::doubleClick(const QWidget& target, QPoint point) {
    at(target, point);
    xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
}

void Player::point(const QWidget& target, QPoint point) {
    at(target, point);
}

void Player::movePointerToCorner() {
    if (QCursor::pos() != QPoint(0, 0))
        xdotool({"mousemove", "--sync", "0", "0"});
}

void Player::type(const QString& text) {
    xdotool({"type", "--delay", QString::number(kKeyDelayMs), text});
}

void Player::press(const QString& keys) {
    xdotool(QStringList{"key", "--delay", QString::number(kKeyDelayMs)} +
            keys.split(' ', Qt::SkipEmptyParts));
}

void Player::typeOver(const QWidget& box, const QString& text) {
    click(box);
    press(QStringLiteral("ctrl+a"));
    if (text.isEmpty())
        press(QStringLiteral("BackSpace"));
    else
        type(text);
}

void Player::activate(const QWidget& window) {
    xdotool({"windowactivate", "--sync", QString::number(window.winId()), "windowfocus", "--sync",
             QString::number(window.winId())});
}

} // namespace kc::test
