#include "app/application.h"
#include "app/main_window.h"
#include "app/session_end.h"

#include <cstring>
#include <iostream>

namespace {

const char* const kUsage = R"(Usage: korvathcalc [Qt options]
       korvathcalc --help | --version

Korvath! Calculator: a calculator for players of the turn-based space strategy game "Korvath!". Pick a page in
the selector at the top; every result follows the inputs as they are typed. F1 shows the page's help.

Options:
  --help      show this text and exit
  --version   show the version and exit
  Qt's own options work as for any Qt program, e.g. -platform offscreen, -style Fusion.

Environment:
  QT_SCALE_FACTOR    scale the whole window (e.g. 1.5 or 2)
  QT_QPA_PLATFORM    the window system plugin (xcb, wayland, offscreen)
  XDG_CONFIG_HOME    where the settings live: $XDG_CONFIG_HOME/Tarvellin/kc 3.0.conf (default ~/.config)
  XDG_DATA_HOME      where an installed copy keeps its cloak designs (default ~/.local/share)

Files:
  Cloaking.dat  the cloak designs: beside the program when its folder is writable (a portable copy), else
                $XDG_DATA_HOME/Tarvellin/KorvathCalc/Cloaking.dat
  KorvathCalc.HLP  the help file, beside the program or in the installed data folder

korvathcalc-cli runs the same window without a display, for scripts (korvathcalc-cli --help).
)";

bool isArgument(const char* given, const char* option) {
    return std::strcmp(given, option) == 0;
}

} // namespace

int main(int argc, char** argv) {
    // Answered without a display.
    for (int i = 1; i < argc; ++i) {
        if (isArgument(argv[i], "--version")) {
            std::cout << "korvathcalc " KC_VERSION "\n";
            return 0;
        }
        if (isArgument(argv[i], "--help") || isArgument(argv[i], "-h")) {
            std::cout << kUsage;
            return 0;
        }
    }
    kc::app::Application application(argc, argv);
    // Qt has taken its own options; anything left is not the program's.
    if (argc > 1) {
        std::cerr << "korvathcalc: unknown option '" << argv[1] << "' (see korvathcalc --help)\n";
        return 2;
    }
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
