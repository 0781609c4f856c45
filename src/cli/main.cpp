#include "app/application.h"
#include "cli/cli_driver.h"

#include <iostream>

int main(int argc, char** argv) {
    // The window is real but never needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kc::app::Application application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return kc::cli::runDriver(arguments, std::cout, std::cerr);
}
