#include "app/application.h"

#include "app/user_dialogs.h"
#include "core/text_conversion.h"

#include <QLocale>
#include <QPalette>
#include <QStyleFactory>

namespace kc::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // Not the display name: Qt would append that to every other window's title ("Result — Korvath!
    // Calculator").
    setApplicationName(QStringLiteral("Korvath! Calculator"));
    setDesktopFileName(QStringLiteral("net.tarvellin.KorvathCalc"));
    useSystemDecimalSeparator();
    if (qEnvironmentVariableIsSet("KC_DEV_DARK_PALETTE"))
        useDarkPaletteForChecks();
}

// A developer hook (tools/screenshot.sh --dark): a dark Fusion palette, to check every page stays readable.
void Application::useDarkPaletteForChecks() {
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(dark);
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
