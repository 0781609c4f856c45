#pragma once

#include <QApplication>

namespace kc::app {

// The application object. A failure that escapes a handler not wrapped in the error report still reaches the
// user as the default error report instead of ending the program.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    static void useSystemDecimalSeparator();
    void useDarkPaletteForChecks();
};

} // namespace kc::app
