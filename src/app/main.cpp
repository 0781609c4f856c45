#include "app/application.h"
#include "app/main_window.h"
#include "app/session_end.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    // The window takes no arguments; the version is answered without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "korvathcalc " KC_VERSION "\n";
        return 0;
    }
    kc::app::Application application(argc, argv);
    // Watching for the session's end before the window is made: its start-up may already wait in a message
    // box.
    kc::app::TForm1* made = nullptr;
    const kc::app::SessionEnd sessionEnd([&made] {
        if (made != nullptr)
            made->saveUnsavedDesigns();
    });
    kc::app::TForm1 window;
    made = &window;
    if (sessionEnd.ended())
        return 0;
    window.show();
    return application.exec();
}
