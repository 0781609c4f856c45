#pragma once

#include "core/runtime_error.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The expression compiler: text in, a flat list of operation records out. See parser/parser.h for the
// whole flow; this header holds the compiled form and the compiler's failures.
namespace kc::parser {

struct OperationRecord;
// Reads the reals behind Arg1 (and Arg2) of the record it is called with and writes the one behind Dest.
using OperationRoutine = void (*)(OperationRecord&);

// Kind codes; 7 and 8 are unused.
enum OperationKind : std::uint8_t {
    okVariable = 0,
    okConstant = 1,
    okNegate = 2,
    okAdd = 3,
    okSubtract = 4,
    okMultiply = 5,
    okDivide = 6,
    okIntPower = 9,
    okPower = 10,
    okSquare = 11,
    okCube = 12,
    okFourthPower = 13,
    okFunction1 = 14,
    okFunction2 = 15,
};

constexpr bool isOneOperandKind(std::uint8_t kind) {
    return kind == okNegate || (kind >= okSquare && kind <= okFunction1);
}
constexpr bool isTwoOperandKind(std::uint8_t kind) {
    return (kind >= okAdd && kind <= okDivide) || kind == okIntPower || kind == okPower ||
           kind == okFunction2;
}

// One step of a compiled list.
struct OperationRecord {
    double* Arg1 = nullptr;
    double* Arg2 = nullptr;
    double* Dest = nullptr;
    OperationRecord* Next = nullptr;
    OperationRoutine Func = nullptr;
    std::uint8_t Kind = okVariable;
};

// Every compiler failure derives from this; the message is what the user sees.
class EMathParserError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};
class ESyntaxError : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};
class EExpressionHasBlanks : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};
class EExpressionTooComplex : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};
class ETooManyNestings : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};
class EMissMatchingBracket : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};
class EParserInternalError : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};

// The language's own limits, not only the table's size.
inline constexpr int kMaxLevel = 20;
inline constexpr int kMaxPerLevel = 50;

// A sorted name list with one value per name. Names are compared without regard to case; they are kept in
// upper case, which is how the compiler asks for them.
template <typename Value> class NameRegistry {
public:
    struct Entry {
        std::string name;
        Value value;
    };

    // Returns false, changing nothing, when the name is already present. Names are letters and digits: the
    // compiler reads a name as a whole word of them.
    bool add(std::string_view name, Value value) {
        std::string upper = toUpper(name);
        if (upper.empty() ||
            upper.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") != std::string::npos) {
            throw std::invalid_argument("A name is letters and digits");
        }
        auto it = lowerBound(upper);
        if (it != entries_.end() && it->name == upper) {
            return false;
        }
        longest_ = std::max(longest_, upper.size());
        entries_.insert(it, Entry{std::move(upper), value});
        return true;
    }
    // As add, but a duplicate is an error of the list.
    void addUnique(std::string_view name, Value value) {
        if (!add(name, value)) {
            throw RuntimeError("String list does not allow duplicates");
        }
    }
    // The value registered under an upper-case name, or nullptr.
    const Value* findUpper(std::string_view upperName) const {
        // The compiler asks about every candidate operand; most are longer than any name.
        if (upperName.size() > longest_) {
            return nullptr;
        }
        auto it = std::lower_bound(entries_.begin(), entries_.end(), upperName,
                                   [](const Entry& e, std::string_view n) { return e.name < n; });
        return it != entries_.end() && it->name == upperName ? &it->value : nullptr;
    }
    const Value* find(std::string_view name) const { return findUpper(toUpper(name)); }
    const std::vector<Entry>& entries() const { return entries_; }
    void clear() {
        entries_.clear();
        longest_ = 0;
    }

private:
    static std::string toUpper(std::string_view name) {
        std::string upper(name);
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        return upper;
    }
    typename std::vector<Entry>::iterator lowerBound(const std::string& upper) {
        return std::lower_bound(entries_.begin(), entries_.end(), upper,
                                [](const Entry& e, const std::string& n) { return e.name < n; });
    }
    std::vector<Entry> entries_;
    std::size_t longest_ = 0;
};

using VariableRegistry = NameRegistry<double*>;
using FunctionRegistry = NameRegistry<OperationRoutine>;

// A compiled list. Its records and the reals it allocated (constants and results) live in one block, so
// evaluation walks contiguous memory and releasing the list is one deallocation.
class OperationList {
public:
    OperationList() = default;
    OperationList(OperationList&&) noexcept = default;
    OperationList& operator=(OperationList&&) noexcept = default;

    OperationRecord* First() const { return first_; }
    OperationRecord* Last() const { return last_; }
    bool empty() const { return first_ == nullptr; }
    std::size_t size() const { return count_; }

private:
    friend class ListBuilder;
    struct BlockDeleter {
        void operator()(std::byte* block) const;
    };
    std::unique_ptr<std::byte, BlockDeleter> block_;
    OperationRecord* first_ = nullptr;
    OperationRecord* last_ = nullptr;
    std::size_t count_ = 0;
};

namespace detail {
struct CompilerWorkspace;
}

// Compiles texts one after another, keeping its working memory from one compilation to the next, so that
// compiling again on every "=" costs no fresh memory.
class ExpressionCompiler {
public:
    ExpressionCompiler();
    ~ExpressionCompiler();
    ExpressionCompiler(ExpressionCompiler&&) noexcept;
    ExpressionCompiler& operator=(ExpressionCompiler&&) noexcept;

    // Compiles `text`. Records of the call kinds get their routine from the registries; every other record's
    // Func is left empty for the component to fill from its kind. Raises an EMathParserError, or the
    // runtime's MathError for a number literal beyond the double range or an exponent literal beyond int64;
    // nothing compiled survives a failure.
    OperationList compile(std::string_view text, const VariableRegistry& variables,
                          const FunctionRegistry& functions1, const FunctionRegistry& functions2,
                          bool pascalNumberFormat);

private:
    std::unique_ptr<detail::CompilerWorkspace> workspace_;
};

// One compilation with a compiler of its own.
OperationList CompileExpression(std::string_view text, const VariableRegistry& variables,
                                const FunctionRegistry& functions1, const FunctionRegistry& functions2,
                                bool pascalNumberFormat);

} // namespace kc::parser
