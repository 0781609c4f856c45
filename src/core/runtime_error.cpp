#include "core/runtime_error.h"

#include <cerrno>

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

int inOutCodeForSystemError(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return 3; // path not found
    case EMFILE:
    case ENFILE:
        return 4; // too many open files
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return 5;
    case ENOSPC:
#ifdef EDQUOT // not in Windows's C runtime
    case EDQUOT:
#endif
    case EFBIG: // a file that may not grow is as full as a full disk to the user
        return 101;
    default:
        return 31; // general failure: the device did not do what was asked
    }
}

void raiseSystemInOutError(int errnoValue) {
    raiseInOutError(inOutCodeForSystemError(errnoValue));
}

void raiseNotAnInteger(const std::string& text) {
    throw ConvertError("'" + text + "' is not a valid integer value");
}

void raiseNotAReal(const std::string& text) {
    throw ConvertError("'" + text + "' is not a valid floating point value");
}

} // namespace kc
