#include "parser/parser.h"

#include "core/checked_math.h"
#include "core/runtime_error.h"

#include <cmath>
#include <cstring>

namespace kc::parser {

namespace {

std::uint32_t gSeed = 0;

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

[[noreturn]] __attribute__((noinline, cold)) void raiseNotFinite(double stored) {
    if (std::isnan(stored)) {
        raiseInvalidOperation();
    }
    raiseFloatOverflow();
}

// Results are stored as doubles; a value beyond the double range traps as an overflow on the store. The
// stored double tells, without comparing extended values: it is infinite exactly when the value lies half an
// ulp or more beyond the largest double, and NaN when the value is. The store pops the x87 register straight
// into the destination, so the test is an integer compare on what was stored.
inline void storeTo(double* dest, Extended value) {
    asm("fstpl %0" : "=m"(*dest) : "t"(value) : "st");
    std::uint64_t bits;
    std::memcpy(&bits, dest, sizeof bits);
    constexpr std::uint64_t kInfinityShifted = std::uint64_t{0x7ff} << 53;
    if ((bits << 1) >= kInfinityShifted) [[unlikely]] {
        raiseNotFinite(*dest);
    }
}
// A double result (from the C library's functions) needs no trip through the x87 unit.
inline void storeTo(double* dest, double value) {
    *dest = value;
    if (!std::isfinite(value)) [[unlikely]] {
        raiseNotFinite(value);
    }
}

// Square-and-multiply from the lowest bit, with no squaring after the top bit, so a result that fits is
// never spoiled by a square that would not.
Extended integerPower(Extended base, std::int32_t n) {
    if (n == 0) {
        return 1;
    }
    std::uint32_t bits = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    Extended result = 1;
    Extended factor = base;
    for (;;) {
        if (bits & 1u) {
            result = checked(result * factor);
        }
        bits >>= 1;
        if (bits == 0) {
            break;
        }
        factor = checked(factor * factor);
    }
    return n < 0 ? divide(1, result) : result;
}

// The exponent of an integer power: truncated to 64 bits (failing beyond), then its low 32 bits.
std::int32_t integerExponent(Extended e) {
    const std::int64_t whole = truncToInt(e);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(whole));
}

Extended generalPower(Extended base, Extended e) {
    if (e == 0) {
        return 1;
    }
    if (base == 0 && e > 0) {
        return 0;
    }
    if (e == std::trunc(e) && std::fabs(e) <= 2147483647.0L) {
        return integerPower(base, static_cast<std::int32_t>(e));
    }
    return exponential(e * naturalLog(base));
}

// Logarithms trap as the runtime's do: 0 divides by zero, a negative argument is invalid.
inline void checkLogArgument(double x) {
    if (!(x > 0)) [[unlikely]] {
        if (x == 0) {
            raiseFloatDivideByZero();
        }
        raiseInvalidOperation();
    }
}

inline Extended arg1(const OperationRecord& r) {
    return *r.Arg1;
}
inline Extended arg2(const OperationRecord& r) {
    return *r.Arg2;
}

void opNothing(OperationRecord&) {}
void opNegate(OperationRecord& r) {
    *r.Dest = -*r.Arg1;
}
void opAdd(OperationRecord& r) {
    storeTo(r.Dest, arg1(r) + arg2(r));
}
void opSubtract(OperationRecord& r) {
    storeTo(r.Dest, arg1(r) - arg2(r));
}
void opMultiply(OperationRecord& r) {
    storeTo(r.Dest, arg1(r) * arg2(r));
}
void opDivide(OperationRecord& r) {
    const Extended b = arg2(r);
    if (b == 0) [[unlikely]] {
        divide(arg1(r), b);
    }
    storeTo(r.Dest, arg1(r) / b);
}
void opIntPower(OperationRecord& r) {
    storeTo(r.Dest, integerPower(arg1(r), integerExponent(arg2(r))));
}
void opPower(OperationRecord& r) {
    storeTo(r.Dest, generalPower(arg1(r), arg2(r)));
}
void opSquare(OperationRecord& r) {
    const Extended a = arg1(r);
    storeTo(r.Dest, a * a);
}
void opCube(OperationRecord& r) {
    const Extended a = arg1(r);
    storeTo(r.Dest, a * a * a);
}
void opFourthPower(OperationRecord& r) {
    const Extended a = arg1(r);
    const Extended square = a * a;
    storeTo(r.Dest, square * square);
}

// The elementary functions use double-precision libm: their accuracy is not fixed by the language.
void fnTan(OperationRecord& r) {
    storeTo(r.Dest, std::tan(*r.Arg1));
}
void fnSin(OperationRecord& r) {
    storeTo(r.Dest, std::sin(*r.Arg1));
}
void fnCos(OperationRecord& r) {
    storeTo(r.Dest, std::cos(*r.Arg1));
}
// Extended exponentials: e^x alone may pass the double range while the half of it still fits.
void fnSinh(OperationRecord& r) {
    const Extended x = arg1(r);
    storeTo(r.Dest, (exponential(x) - exponential(-x)) / 2);
}
void fnCosh(OperationRecord& r) {
    const Extended x = arg1(r);
    storeTo(r.Dest, (exponential(x) + exponential(-x)) / 2);
}
void fnArcTan(OperationRecord& r) {
    storeTo(r.Dest, std::atan(*r.Arg1));
}
void fnCotan(OperationRecord& r) {
    storeTo(r.Dest, divide(1, std::tan(*r.Arg1)));
}
void fnExp(OperationRecord& r) {
    storeTo(r.Dest, std::exp(*r.Arg1));
}
void fnLn(OperationRecord& r) {
    checkLogArgument(*r.Arg1);
    storeTo(r.Dest, std::log(*r.Arg1));
}
void fnLog10(OperationRecord& r) {
    checkLogArgument(*r.Arg1);
    storeTo(r.Dest, std::log10(*r.Arg1));
}
void fnLog2(OperationRecord& r) {
    checkLogArgument(*r.Arg1);
    storeTo(r.Dest, std::log2(*r.Arg1));
}
void fnSqrt(OperationRecord& r) {
    if (*r.Arg1 < 0) [[unlikely]] {
        raiseInvalidOperation();
    }
    storeTo(r.Dest, std::sqrt(*r.Arg1));
}
void fnAbs(OperationRecord& r) {
    *r.Dest = std::fabs(*r.Arg1);
}
void fnTrunc(OperationRecord& r) {
    *r.Dest = std::trunc(*r.Arg1);
}
void fnCeil(OperationRecord& r) {
    const Extended x = arg1(r);
    const Extended fraction = x - std::trunc(x);
    storeTo(r.Dest, fraction > 0 ? std::trunc(x + 1) : std::trunc(x));
}
void fnFloor(OperationRecord& r) {
    const Extended x = arg1(r);
    const Extended fraction = x - std::trunc(x);
    storeTo(r.Dest, fraction >= 0 ? std::trunc(x) : std::trunc(x - 1));
}
void fnHeav(OperationRecord& r) {
    *r.Dest = *r.Arg1 >= 0 ? 1.0 : 0.0;
}
void fnSign(OperationRecord& r) {
    const double x = *r.Arg1;
    *r.Dest = x > 0 ? 1.0 : (x == 0 ? 0.0 : -1.0);
}
void fnZero(OperationRecord& r) {
    *r.Dest = *r.Arg1 == 0 ? 0.0 : 1.0;
}
void fnPh(OperationRecord& r) {
    const Extended y = arg1(r) / static_cast<Extended>(0.6366197723675813431);
    const Extended nearest = static_cast<Extended>(roundToInt(y));
    storeTo(r.Dest, (y - nearest) * (2 * kPi));
}
void fnRnd(OperationRecord& r) {
    const Extended whole = static_cast<Extended>(truncToInt(arg1(r)));
    storeTo(r.Dest, whole * nextRandom());
}
void fnRandom(OperationRecord& r) {
    *r.Dest = nextRandom();
}

void fnMax(OperationRecord& r) {
    *r.Dest = *r.Arg1 >= *r.Arg2 ? *r.Arg1 : *r.Arg2;
}
void fnMin(OperationRecord& r) {
    *r.Dest = *r.Arg1 < *r.Arg2 ? *r.Arg1 : *r.Arg2;
}
void fnLogN(OperationRecord& r) {
    checkLogArgument(*r.Arg2);
    const Extended numerator = std::log2(arg2(r));
    checkLogArgument(*r.Arg1);
    storeTo(r.Dest, divide(numerator, std::log2(arg1(r))));
}
void fnArg(OperationRecord& r) {
    const Extended x = arg1(r);
    const Extended y = arg2(r);
    Extended angle;
    if (x > 0) {
        angle = std::atan(y / x);
    } else if (x < 0) {
        angle = std::atan(y / x) + kPi;
    } else {
        angle = y > 0 ? kPi / 2 : -kPi / 2;
    }
    storeTo(r.Dest, angle);
}

} // namespace

OperationRoutine routineForKind(std::uint8_t kind) {
    switch (kind) {
    case okNegate:
        return opNegate;
    case okAdd:
        return opAdd;
    case okSubtract:
        return opSubtract;
    case okMultiply:
        return opMultiply;
    case okDivide:
        return opDivide;
    case okIntPower:
        return opIntPower;
    case okPower:
        return opPower;
    case okSquare:
        return opSquare;
    case okCube:
        return opCube;
    case okFourthPower:
        return opFourthPower;
    default:
        return opNothing;
    }
}

double nextRandom() {
    gSeed = gSeed * 134775813u + 1u;
    return static_cast<double>(gSeed) / 4294967296.0;
}

std::uint32_t randomSeed() {
    return gSeed;
}

void setRandomSeed(std::uint32_t seed) {
    gSeed = seed;
}

TCustomParser::TCustomParser() = default;

TCustomParser::~TCustomParser() {
    FreeOperationList();
    variables_.clear();
    expression_.clear();
}

void TCustomParser::FreeOperationList() {
    operations_ = OperationList{};
}

void TCustomParser::ParseExpression(std::string_view text) {
    FreeOperationList();
    expression_ = std::string(text);
    if (expression_.empty()) {
        return;
    }
    OperationList compiled;
    try {
        compiled = compiler_.compile(expression_, variables_, functions1_, functions2_, pascalNumberFormat_);
    } catch (const std::exception& e) {
        if (!onParserError_) {
            throw;
        }
        onParserError_(*this, e);
        return;
    }
    for (OperationRecord* record = compiled.First(); record != nullptr; record = record->Next) {
        if (record->Kind <= okFourthPower) {
            record->Func = routineForKind(record->Kind);
        }
    }
    operations_ = std::move(compiled);
}

Extended TCustomParser::Value() {
    OperationRecord* record = operations_.First();
    if (record == nullptr) {
        return 0;
    }
    // The records lie in list order in one block, so walking the block is walking the Next chain.
    OperationRecord* const end = operations_.Last() + 1;
    do {
        record->Func(*record);
    } while (++record != end);
    return *operations_.Last()->Dest;
}

TParser::TParser() {
    static constexpr const char* names[kVariableCount] = {"A", "B", "C", "D", "E", "X", "Y", "T"};
    for (int i = 0; i < kVariableCount; ++i) {
        variables_.add(names[i], &variableStorage_[i]);
    }
    const std::pair<const char*, OperationRoutine> oneArgument[] = {
        {"TAN", fnTan},   {"SIN", fnSin},       {"COS", fnCos},     {"SINH", fnSinh},
        {"COSH", fnCosh}, {"ARCTAN", fnArcTan}, {"COTAN", fnCotan}, {"EXP", fnExp},
        {"LN", fnLn},     {"LOG10", fnLog10},   {"LOG2", fnLog2},   {"SQR", opSquare},
        {"SQRT", fnSqrt}, {"ABS", fnAbs},       {"TRUNC", fnTrunc}, {"INT", fnTrunc},
        {"CEIL", fnCeil}, {"FLOOR", fnFloor},   {"HEAV", fnHeav},   {"SIGN", fnSign},
        {"ZERO", fnZero}, {"PH", fnPh},         {"RND", fnRnd},     {"RANDOM", fnRandom},
    };
    for (const auto& [name, routine] : oneArgument) {
        functions1_.addUnique(name, routine);
    }
    const std::pair<const char*, OperationRoutine> twoArguments[] = {
        {"MAX", fnMax},           {"MIN", fnMin},   {"POWER", opPower},
        {"INTPOWER", opIntPower}, {"LOGN", fnLogN}, {"ARG", fnArg},
    };
    for (const auto& [name, routine] : twoArguments) {
        functions2_.addUnique(name, routine);
    }
}

} // namespace kc::parser
