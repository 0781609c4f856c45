#include "app/application.h"

#include "app/user_dialogs.h"
#include "core/text_conversion.h"

#include <QIcon>
#include <QLocale>

namespace kc::app {

namespace {

// The installed icon set, built into the program so the window shows the same icon as the menu.
QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/net.tarvellin.KorvathCalc-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationDisplayName(QStringLiteral("Korvath! Calculator"));
    // Names the per-user data folder that holds the cloak designs of an installed copy.
    setOrganizationName(QStringLiteral("Tarvellin"));
    setApplicationName(QStringLiteral("KorvathCalc"));
    setDesktopFileName(QStringLiteral("net.tarvellin.KorvathCalc"));
    setApplicationVersion(QStringLiteral(KC_VERSION));
    setWindowIcon(applicationIcon());
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
