#include "app/settings_store.h"

#include "core/runtime_error.h"

#include <QSettings>

#include <limits>

namespace kc::app {

namespace {

QSettings openKey() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarvellin"),
                     QStringLiteral("kc 3.0"));
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
