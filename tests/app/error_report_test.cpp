#include "app/user_dialogs.h"
#include "core/runtime_error.h"
#include "support/app_fixture.h"

namespace kc::test {
namespace {

class Handlers : public QObject {
public:
    void failing() {
        ++runs;
        throw MathError("Floating point division by zero");
    }
    void succeeding() { ++runs; }
    int runs = 0;
};

TEST(ErrorReport, AFailureEscapingAHandlerIsShownAndTheProgramCarriesOn) {
    RecordingDialogs dialogs;
    Handlers handlers;
    const auto failing = app::reported(&handlers, &Handlers::failing);
    const auto succeeding = app::reported(&handlers, &Handlers::succeeding);
    failing();
    succeeding();
    failing();
    EXPECT_EQ(handlers.runs, 3);
    EXPECT_EQ(dialogs.errors,
              QStringList({"Floating point division by zero", "Floating point division by zero"}));
}

TEST(ErrorReport, EachStepReportsItsOwnFailureAndTheNextStepStillRuns) {
    RecordingDialogs dialogs;
    QStringList ran;
    app::runReported([&] { throw InOutError("File not found"); });
    app::runReported([&] { ran << "second"; });
    EXPECT_EQ(ran, QStringList{"second"});
    EXPECT_EQ(dialogs.errors, QStringList{"File not found"});
}

} // namespace
} // namespace kc::test
