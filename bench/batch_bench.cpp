// What a script pays for its what-ifs: the same scenarios (the test suite's sample of every page) run as one
// korvathcalc-cli --batch, and as one korvathcalc-cli process each. Read the two times side by side; their
// ratio is the batch's gain. Run it from the build's bin folder's neighbourhood (it starts
// bin/korvathcalc-cli).
#include "cli/cli_driver.h"
#include "cli/json_line.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

namespace {

std::string scenarios() {
    std::ifstream file(KC_BENCH_SCENARIOS);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void BM_BatchInOneProcess(benchmark::State& state) {
    const std::string input = scenarios();
    const QTemporaryDir folder;
    const QString designs = folder.filePath(QStringLiteral("none.dat"));
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        kc::cli::runDriver({"--designs", designs, "--batch"}, in, out, err);
        benchmark::DoNotOptimize(out.str());
    }
    state.counters["scenarios"] = lineCount(input);
}
BENCHMARK(BM_BatchInOneProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneProcessPerScenario(benchmark::State& state) {
    const std::string input = scenarios();
    const QTemporaryDir folder;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/korvathcalc-cli");
    std::vector<QStringList> runs;
    std::istringstream lines(input);
    for (std::string line; std::getline(lines, line);) {
        const auto scenario = std::get<kc::cli::ScenarioLine>(kc::cli::parseScenarioLine(line));
        QStringList arguments{"--json", "--designs", folder.filePath(QStringLiteral("none.dat"))};
        for (const std::string& argument : scenario.args)
            arguments << QString::fromStdString(argument);
        runs.push_back(arguments);
    }
    for (auto _ : state)
        for (const QStringList& arguments : runs) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished(-1);
        }
    state.counters["scenarios"] = static_cast<double>(runs.size());
}
BENCHMARK(BM_OneProcessPerScenario)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
