#include "app/application.h"

#include "app/user_dialogs.h"
#include "core/text_conversion.h"

#include <QLocale>

namespace kc::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // Not the display name: Qt would append that to every other window's title ("Result — Korvath!
    // Calculator").
    setApplicationName(QStringLiteral("Korvath! Calculator"));
    setDesktopFileName(QStringLiteral("net.tarvellin.KorvathCalc"));
    useSystemDecimalSeparator();
}

// Reals are read and written with the user's decimal separator, as everywhere else on the desktop. A
// separator that is not one plain character cannot be typed into the boxes, so the point stays then.
void Application::useSystemDecimalSeparator() {
    const QString separator = QLocale::system().decimalPoint();
    if (separator.size() == 1 && separator.front().unicode() < 0x80)
        setDecimalSeparator(separator.front().toLatin1());
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
