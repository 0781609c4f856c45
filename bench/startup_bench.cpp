// Start-up as the user waits for it: the main window with all its pages built and shown, off-screen.
#include "app/main_window.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_WindowStartup(benchmark::State& state) {
    // The window saves its cloak designs at exit: keep them out of the program's folder.
    const QTemporaryDir folder;
    const kc::app::StartupOptions options{folder.filePath(QStringLiteral("Cloaking.dat"))};
    for (auto _ : state) {
        kc::app::TForm1 window(options);
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WindowStartup)->Unit(benchmark::kMillisecond);

} // namespace
