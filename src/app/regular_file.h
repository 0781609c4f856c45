#pragma once

#include <QString>

namespace kc::app {

// Whether `path` names a regular file (or a link to one), or nothing yet. The program reads and writes its
// files only there: a folder, a pipe, a device or a socket is refused without ever being opened (opening a
// pipe would wait for a writer forever, and replacing a device would destroy it).
bool isRegularOrAbsent(const QString& path);

// Fails with "File access denied: '<path>' is not a regular file".
[[noreturn]] void refuseNonRegularFile(const QString& path);

} // namespace kc::app
