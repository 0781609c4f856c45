// libFuzzer target: any bytes as the input of korvathcalc-cli --batch, through the driver's own batch session
// over the real window (built once, off-screen). Never a crash; exactly one JSON object a line in, on one
// line of its own, with the answer's keys; the design file is never written.
#include "app/application.h"
#include "cli/batch.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Never deleted: Qt's own statics are gone by the time a global would be.
kc::app::Application* application = nullptr;
std::unique_ptr<QTemporaryDir> folder;
std::unique_ptr<kc::cli::BatchSession> session;
QByteArray designs;
QString designFile;

[[noreturn]] void finding(const std::string& what) {
    std::fprintf(stderr, "batch finding: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new kc::app::Application(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder->path()));
    designFile = folder->filePath(QStringLiteral("Cloaking.dat"));
    // Two designs, so the cloaking page has something to choose and change.
    designs = QByteArray::fromHex("01000000000000024131000000000000640003000100"
                                  "00010000000000024232000000000000c80001000100") +
              QByteArray(14 * 22, '\0');
    QFile file(designFile);
    file.open(QIODevice::WriteOnly);
    file.write(designs);
    file.close();
    session = std::make_unique<kc::cli::BatchSession>(kc::cli::BatchOptions{designFile, {}});
    // The window closes while the application still runs, as it does in the driver's main.
    std::atexit([] { session.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start < input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string answer = session->answer(input.substr(start, end - start));
        if (answer.find('\n') != std::string::npos)
            finding("an answer of more than one line: " + answer);
        QJsonParseError error{};
        const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(answer), &error);
        const QJsonObject object = json.object();
        if (error.error != QJsonParseError::NoError || !json.isObject() || !object.contains("id") ||
            !object.value("exit").isDouble() || !object.value("results").isObject() ||
            !object.value("errors").isArray() || !object.value("messages").isArray())
            finding("not a JSON answer: " + answer);
        start = end + 1;
    }
    QFile file(designFile);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != designs)
        finding("the batch wrote the design file");
    return 0;
}
