#include "app/settings_store.h"

#include "app/regular_file.h"
#include "core/runtime_error.h"

#include <QSettings>
#include <QStandardPaths>

#include <limits>

namespace kc::app {

namespace {

const QString kOrganisation = QStringLiteral("Tarvellin");
const QString kApplication = QStringLiteral("kc 3.0");

// QSettings opens its files as soon as it is created, and a pipe put in place of one would hold the program
// up for good: the files it reads are checked first. (On Windows the settings live in the registry.)
void requireRegularFiles() {
#ifndef Q_OS_WIN
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QString& file : {QStringLiteral("%1/%2/%3.conf").arg(folder, kOrganisation, kApplication),
                                QStringLiteral("%1/%2.conf").arg(folder, kOrganisation)})
        if (!isRegularOrAbsent(file))
            refuseNonRegularFile(file);
#endif
}

QSettings openKey() {
    requireRegularFiles();
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
}

std::string quoted(const char* name) {
    return std::string("'") + name + "'";
}

} // namespace

bool SettingsStore::keyExists() {
    const QSettings key = openKey();
    return !key.allKeys().isEmpty();
}

std::optional<bool> SettingsStore::read(const Setting& setting) {
    const QSettings key = openKey();
    const QString name = QString::fromLatin1(setting.name);
    if (!key.contains(name))
        return std::nullopt;
    const QVariant stored = key.value(name);
    bool isInteger = false;
    const qlonglong value = stored.toLongLong(&isInteger);
    const bool fits =
        value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
    if (!isInteger || !fits || stored.typeId() == QMetaType::Bool)
        throw RuntimeError("Invalid data type for " + quoted(setting.name));
    return value != 0;
}

void SettingsStore::write(const Setting& setting, bool on) {
    try {
        requireRegularFiles();
    } catch (const RuntimeError&) {
        throw RuntimeError("Failed to set data for " + quoted(setting.name));
    }
    QSettings key = openKey();
    // A key that cannot be opened for writing (a read-only file or folder, a folder in place of the file, a
    // file in place of a folder) is a refused write too: the user's click must not be lost without a word.
    if (!key.isWritable())
        throw RuntimeError("Failed to set data for " + quoted(setting.name));
    key.setValue(QString::fromLatin1(setting.name), on ? 1 : 0);
    key.sync();
    if (key.status() != QSettings::NoError)
        throw RuntimeError("Failed to set data for " + quoted(setting.name));
}

} // namespace kc::app
