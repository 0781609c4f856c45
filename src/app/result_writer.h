#pragma once

#include "core/runtime_error.h"

#include <QLabel>

#include <cstdint>
#include <optional>
#include <string>

namespace kc::app {

// Writes a worked-out result into its control; a result that was not worked out leaves the control as it was.
inline void writeResult(QLabel* label, const std::optional<std::int64_t>& value) {
    if (value)
        label->setText(QString::number(static_cast<qlonglong>(*value)));
}

inline void writeResult(QLabel* label, const std::optional<std::string>& text) {
    if (text)
        label->setText(QString::fromStdString(*text));
}

// After the results it reached are shown, a calculation's failure goes on to the error report.
inline void raiseIfFailed(const std::optional<RuntimeError>& failure) {
    if (failure)
        throw *failure;
}

} // namespace kc::app
