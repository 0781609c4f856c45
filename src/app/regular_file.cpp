#include "app/regular_file.h"

#include "core/runtime_error.h"

#include <QFileInfo>

namespace kc::app {

bool isRegularOrAbsent(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

void refuseNonRegularFile(const QString& path) {
    throw InOutError(QStringLiteral("%1: '%2' is not a regular file")
                         .arg(QString::fromLatin1(message::kFileAccessDenied), path)
                         .toStdString());
}

} // namespace kc::app
