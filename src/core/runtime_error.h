#pragma once

#include <stdexcept>
#include <string>

namespace kc {

// Every failure the game's runtime can report; the message is what the user sees.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that does not convert to a number.
class ConvertError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// A floating-point trap or an integer division by zero.
class MathError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// A failed file operation.
class InOutError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

namespace message {
inline constexpr const char* kFloatDivideByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kFloatOverflow = "Floating point overflow";
inline constexpr const char* kIntegerDivideByZero = "Division by zero";
inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kFileAccessDenied = "File access denied";
inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";
inline constexpr const char* kDiskFull = "Disk full";
} // namespace message

[[noreturn]] void raiseFloatDivideByZero();
[[noreturn]] void raiseInvalidOperation();
[[noreturn]] void raiseFloatOverflow();
[[noreturn]] void raiseIntegerDivideByZero();
// "I/O error %d" for codes without a message of their own.
[[noreturn]] void raiseInOutError(int code);
// The runtime numbers its file failures as the Windows system does (2 not found, 5 access denied, 101 disk
// full, ...); this maps an errno value of a failed file operation onto that numbering.
int inOutCodeForSystemError(int errnoValue);
// raiseInOutError for a failed file operation that set errno.
[[noreturn]] void raiseSystemInOutError(int errnoValue);
// "'%s' is not a valid integer value"
[[noreturn]] void raiseNotAnInteger(const std::string& text);
// "'%s' is not a valid floating point value"
[[noreturn]] void raiseNotAReal(const std::string& text);

} // namespace kc
