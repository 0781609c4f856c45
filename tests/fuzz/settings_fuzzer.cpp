// libFuzzer target: any bytes as the settings file, read as the program reads it when its window first shows.
// Never a crash or a hang; a value the store holds reads as on or off, and one that is no 32-bit integer is
// reported with the program's message, and nothing else.
#include "app/settings_store.h"
#include "core/runtime_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::unique_ptr<QTemporaryDir> folder;
int runs = 0;

void readAsAtStart(const kc::app::Setting& setting) {
    try {
        (void)kc::app::SettingsStore::read(setting);
    } catch (const kc::RuntimeError& failure) {
        if (std::string(failure.what()) != std::string("Invalid data type for '") + setting.name + "'") {
            std::fprintf(stderr, "settings finding: %s\n", failure.what());
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A folder of its own each time: QSettings keeps what it read of a file by the file's name.
    const QString config = folder->filePath(QString::number(runs++));
    QDir().mkpath(config + QStringLiteral("/Tarvellin"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    {
        QFile file(config + QStringLiteral("/Tarvellin/kc 3.0.conf"));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    if (kc::app::SettingsStore::keyExists()) {
        readAsAtStart(kc::app::kAutoDropSetting);
        readAsAtStart(kc::app::kLargeFontSetting);
    }
    QDir(config).removeRecursively();
    return 0;
}
