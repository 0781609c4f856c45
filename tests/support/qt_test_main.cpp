// One main for every Qt test program: an off-screen QApplication unless a platform is chosen, and the dialog
// watchdog.
#include "support/dialog_watchdog.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    kc::test::startDialogWatchdog();
    return RUN_ALL_TESTS();
}
