#pragma once

// A player at the keyboard and mouse of a real X desktop: every action is real input sent with xdotool, and
// after each one the program must handle it and come back to idle, as a program waiting for its player
// does. A busy loop fails the action's check instead of hanging the run.

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace kc::test {

class Player {
public:
    // Clicks `target` at `at` (its centre when not given), with button 1 (left) or 3 (right).
    void click(const QWidget& target, QPoint at = {-1, -1}, int button = 1);
    void doubleClick(const QWidget& target, QPoint at = {-1, -1});
    // Moves the pointer onto `target` without clicking.
    void point(const QWidget& target, QPoint at = {-1, -1});
    void type(const QString& text);
    // Key names as xdotool takes them, one after the other: "Return", "ctrl+a", "Home Down Down".
    void press(const QString& keys);
    // Clicks into a box and replaces its whole text by typing.
    void typeOver(const QWidget& box, const QString& text);
    void movePointerToCorner();
    // Gives the window the keyboard, as a click on its title bar does.
    void activate(const QWidget& window);

    // Runs the event loop until `done` holds; false when it still does not after `ms`.
    static bool waitUntil(const std::function<bool()>& done, int ms = 5000);
    // The main thread's CPU time, in milliseconds, while the event loop idles for a moment.
    static double busyMsWhileIdling();

private:
    void xdotool(const QStringList& arguments);
    void at(const QWidget& target, QPoint point);
};

} // namespace kc::test
