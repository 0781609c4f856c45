#include "app/application.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    kc::app::Application application(argc, argv);
    kc::app::TForm1 window;
    window.show();
    return application.exec();
}
