#include "core/runtime_error.h"

namespace kc {

void raiseFloatDivideByZero() {
    throw MathError(message::kFloatDivideByZero);
}

void raiseInvalidOperation() {
    throw MathError(message::kInvalidOperation);
}

void raiseFloatOverflow() {
    throw MathError(message::kFloatOverflow);
}

void raiseIntegerDivideByZero() {
    throw MathError(message::kIntegerDivideByZero);
}

void raiseInOutError(int code) {
    switch (code) {
    case 2:
        throw InOutError(message::kFileNotFound);
    case 5:
        throw InOutError(message::kFileAccessDenied);
    case 100:
        throw InOutError(message::kReadBeyondEnd);
    case 101:
        throw InOutError(message::kDiskFull);
    default:
        throw InOutError("I/O error " + std::to_string(code));
    }
}

void raiseNotAnInteger(const std::string& text) {
    throw ConvertError("'" + text + "' is not a valid integer value");
}

void raiseNotAReal(const std::string& text) {
    throw ConvertError("'" + text + "' is not a valid floating point value");
}

} // namespace kc
