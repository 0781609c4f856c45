#include "app/application.h"

#include "app/user_dialogs.h"
#include "core/text_conversion.h"
#include "core/x87_precision.h"

#include <QIcon>
#include <QLocale>
#include <QPalette>
#include <QStyleFactory>

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
    // Before any figure: the game's arithmetic needs the x87 unit's full 64-bit significand.
    useExtendedPrecision();
    // The folder names of the per-user data (the cloak designs of an installed copy). No display name: Qt
    // would append it to every other window's title ("Result — Korvath! Calculator"); message boxes take
    // kApplicationTitle instead.
    setOrganizationName(QStringLiteral("Tarvellin"));
    setApplicationName(QStringLiteral("KorvathCalc"));
    setDesktopFileName(QStringLiteral("net.tarvellin.KorvathCalc"));
    setApplicationVersion(QStringLiteral(KC_VERSION));
    setWindowIcon(applicationIcon());
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
    // Disabled controls must look disabled (the cloak boxes without a design, the immune ranges).
    const QColor greyedText(127, 127, 127);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                           QPalette::HighlightedText, QPalette::PlaceholderText})
        dark.setColor(QPalette::Disabled, role, greyedText);
    dark.setColor(QPalette::Disabled, QPalette::Base, QColor(53, 53, 53));
    dark.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
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
