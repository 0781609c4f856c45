#include "cli/cli_driver.h"

#include "app/main_window.h"
#include "app/regular_file.h"
#include "cli/batch.h"
#include "cli/output.h"
#include "cli/scenario.h"
#include "cli/usage.h"
#include "parser/parser.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <fstream>
#include <memory>
#include <optional>

namespace kc::cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadArguments = 2;

struct Invocation {
    bool version = false;
    bool help = false;
    QString helpPage;
    QString designFile;
    bool json = false;
    Strictness strictness = Strictness::WindowFaithful;
    bool batch = false;
    QString batchFile; // empty: standard input
    std::vector<Assignment> assignments;
};

std::string text(const QString& s) {
    return s.toStdString();
}

// Parses the arguments; nullopt after printing what is wrong.
std::optional<Invocation> parse(const QStringList& arguments, std::ostream& err) {
    Invocation invocation;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasNext = i + 1 < arguments.size();
        if (argument == QLatin1String("--version")) {
            invocation.version = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            invocation.help = true;
            if (hasNext)
                invocation.helpPage = arguments.at(++i);
        } else if (argument == QLatin1String("--json")) {
            invocation.json = true;
        } else if (argument == QLatin1String("--strict")) {
            invocation.strictness = Strictness::Strict;
        } else if (argument == QLatin1String("--batch")) {
            invocation.batch = true;
            if (hasNext && !arguments.at(i + 1).startsWith(QLatin1String("--")) &&
                !splitAssignment(arguments.at(i + 1)))
                invocation.batchFile = arguments.at(++i);
        } else if (argument == QLatin1String("--designs")) {
            if (!hasNext) {
                err << "korvathcalc-cli: --designs needs a file path\n";
                return std::nullopt;
            }
            // Absolute now: start-up makes the program's folder the current directory.
            invocation.designFile = QFileInfo(arguments.at(++i)).absoluteFilePath();
            if (!app::isRegularOrAbsent(invocation.designFile)) {
                err << "korvathcalc-cli: --designs '" << text(invocation.designFile)
                    << "' is not a regular file (a folder, pipe, device or socket cannot hold designs)\n";
                return std::nullopt;
            }
        } else if (const std::optional<Assignment> assignment = splitAssignment(argument)) {
            invocation.assignments.push_back(*assignment);
        } else {
            err << "korvathcalc-cli: "
                << (argument.startsWith(QLatin1String("-")) ? "unknown option" : "malformed argument") << " '"
                << text(argument) << "': expected NAME=VALUE (see --help)\n";
            return std::nullopt;
        }
    }
    if (invocation.batch && (!invocation.assignments.empty() || invocation.json)) {
        err << "korvathcalc-cli: --batch takes its runs from its input, not NAME=VALUE arguments or --json\n";
        return std::nullopt;
    }
    return invocation;
}

int runBatchFrom(const Invocation& invocation, std::istream& in, std::ostream& out, std::ostream& err) {
    const BatchOptions options{invocation.designFile, invocation.strictness};
    if (invocation.batchFile.isEmpty() || invocation.batchFile == QLatin1String("-"))
        return runBatch(in, out, options);
    // A pipe is fine here: a script may feed its scenarios as it makes them.
    std::ifstream file(QFile::encodeName(invocation.batchFile).toStdString(), std::ios::binary);
    if (!file || QFileInfo(invocation.batchFile).isDir()) {
        err << "korvathcalc-cli: cannot read the batch file '" << text(invocation.batchFile) << "'\n";
        return kExitBadArguments;
    }
    return runBatch(file, out, options);
}

} // namespace

int runDriver(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    if (arguments.isEmpty()) {
        printUsage(err);
        return kExitBadArguments;
    }
    const std::optional<Invocation> invocation = parse(arguments, err);
    if (!invocation)
        return kExitBadArguments;
    if (invocation->version) {
        out << "korvathcalc-cli " << text(QCoreApplication::applicationVersion()) << '\n';
        return kExitOk;
    }
    if (invocation->help && invocation->helpPage.isEmpty()) {
        printUsage(out);
        return kExitOk;
    }
    if (invocation->batch)
        return runBatchFrom(*invocation, in, out, err);

    // A fresh process: the calculator's random numbers start from their seed whoever ran before in this one.
    parser::setRandomSeed(0);
    RecordingDialogs dialogs;
    auto window = std::make_unique<app::TForm1>(app::StartupOptions{invocation->designFile});
    window->show();
    if (invocation->help)
        return printPageControls(*window, invocation->helpPage, out, err);

    ScenarioOutcome outcome;
    runAssignments(*window, invocation->assignments, invocation->strictness, dialogs, outcome);
    outcome.events = dialogs.take();
    window.reset(); // shutdown runs here, as at the window's close
    outcome.closingEvents = dialogs.take();
    if (invocation->json)
        out << jsonAnswer("null", outcome) << '\n';
    else
        printLines(outcome, out, err);
    return outcome.exitStatus();
}

} // namespace kc::cli
