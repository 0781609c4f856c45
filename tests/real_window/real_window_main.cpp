// The real-window tests run on a desktop of their own: started anywhere else, the program starts that
// desktop and runs itself again on it.
#include "support/dialog_watchdog.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

int main(int argc, char** argv) {
    std::vector<char*> original(argv, argv + argc);
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("KC_TEST_DESKTOP") && !GTEST_FLAG_GET(list_tests)) {
        std::vector<char*> command{const_cast<char*>(KC_ON_DESKTOP_SCRIPT)};
        command.insert(command.end(), original.begin(), original.end());
        command.push_back(nullptr);
        execv(command.front(), command.data());
        perror(KC_ON_DESKTOP_SCRIPT);
        return 1;
    }
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    kc::test::startDialogWatchdog();
    return RUN_ALL_TESTS();
}
