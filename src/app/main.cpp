#include "app/application.h"
#include "app/main_window.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    // The window takes no arguments; the version is answered without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "korvathcalc " KC_VERSION "\n";
        return 0;
    }
    kc::app::Application application(argc, argv);
    kc::app::TForm1 window;
    window.show();
    return application.exec();
}
