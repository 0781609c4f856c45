#include "app/application.h"
#include "cli/cli_driver.h"

#include <iostream>

namespace {

// The driver's output is read by programs: keep Qt's own chatter about the off-screen platform out of it.
void keepOnlyFatalMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(keepOnlyFatalMessages);
    // The window is real but never needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kc::app::Application application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return kc::cli::runDriver(arguments, std::cin, std::cout, std::cerr);
}
