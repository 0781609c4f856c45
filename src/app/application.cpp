#include "app/application.h"

#include "app/user_dialogs.h"

namespace kc::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationDisplayName(QStringLiteral("Korvath! Calculator"));
    setDesktopFileName(QStringLiteral("net.tarvellin.KorvathCalc"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        reportFailure(failure);
    }
    return false;
}

} // namespace kc::app
