#pragma once

// The expression parser behind the calculator page.
//
// How an expression travels, for a newcomer:
//   1. Text. Assigning `Expression` hands the text to the component's compiler (expression_compiler.h),
//      which keeps its working memory for the next text. It upper-cases letters, trims blanks, checks
//      bracket counts and strips redundant outer brackets.
//   2. Recognisers. There is no tokeniser: a term is recognised by trying to split it at an operator so that
//      both halves are terms of the forms that operator allows. Those allowed forms are the whole grammar:
//      they give precedence, left-grouped differences and quotients, and right-split sums and products.
//      The forms make what stands at one bracket depth a regular language, so a small automaton reads it
//      and finds each split without trying positions one by one (term_recogniser.h).
//   3. Level table. A depth-first walk over the recognised tree puts each operation at the level below its
//      node (at most 20 levels, 50 operations per level) and wires every operand to its producer's result.
//   4. Flat list. The table is linked deepest level first into one block of records and reals.
//   5. Evaluation. Reading `Value` calls each record's routine in list order, one indirect call per record,
//      allocating nothing; variables are read through references, so changing A needs no recompile.
#include "core/extended.h"
#include "parser/expression_compiler.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace kc::parser {

class TCustomParser;

// Receives a compilation failure instead of the writer of `Expression`.
using TParserExceptionEvent = std::function<void(TCustomParser& Sender, const std::exception& E)>;

// Holds one expression: assigning it compiles, reading `Value` evaluates. Owns the registries the compiler
// consults and the storage of the built-in variables.
class TCustomParser {
public:
    TCustomParser();
    virtual ~TCustomParser();
    TCustomParser(const TCustomParser&) = delete;
    TCustomParser& operator=(const TCustomParser&) = delete;

    // 0 without a compiled expression. Evaluation failures surface here with the runtime's messages; the
    // list survives them.
    Extended Value();

    const std::string& Expression() const { return expression_; }
    // Always discards the current list and compiles again, even for the same text.
    void setExpression(std::string_view text) { ParseExpression(text); }
    void ParseExpression(std::string_view text);
    void FreeOperationList();

    bool PascalNumberformat() const { return pascalNumberFormat_; }
    void setPascalNumberformat(bool value) { pascalNumberFormat_ = value; }

    const TParserExceptionEvent& OnParserError() const { return onParserError_; }
    void setOnParserError(TParserExceptionEvent handler) { onParserError_ = std::move(handler); }

    // The compiled list, empty when there is none.
    const OperationList& Operations() const { return operations_; }

    const VariableRegistry& Variables() const { return variables_; }
    const FunctionRegistry& Functions1() const { return functions1_; }
    const FunctionRegistry& Functions2() const { return functions2_; }

protected:
    enum VariableIndex { vA, vB, vC, vD, vE, vX, vY, vT, kVariableCount };
    double variableStorage_[kVariableCount] = {};
    VariableRegistry variables_;
    FunctionRegistry functions1_;
    FunctionRegistry functions2_;

private:
    std::string expression_;
    bool pascalNumberFormat_ = true;
    OperationList operations_;
    ExpressionCompiler compiler_;
    TParserExceptionEvent onParserError_;
};

// The component with the built-in variables A, B, C, D, E, X, Y, T and the built-in functions registered.
class TParser : public TCustomParser {
public:
    TParser();

    double A() const { return variableStorage_[vA]; }
    double B() const { return variableStorage_[vB]; }
    double C() const { return variableStorage_[vC]; }
    double D() const { return variableStorage_[vD]; }
    double E() const { return variableStorage_[vE]; }
    double T() const { return variableStorage_[vT]; }
    double X() const { return variableStorage_[vX]; }
    double Y() const { return variableStorage_[vY]; }
    void setA(double v) { variableStorage_[vA] = v; }
    void setB(double v) { variableStorage_[vB] = v; }
    void setC(double v) { variableStorage_[vC] = v; }
    void setD(double v) { variableStorage_[vD] = v; }
    void setE(double v) { variableStorage_[vE] = v; }
    void setT(double v) { variableStorage_[vT] = v; }
    void setX(double v) { variableStorage_[vX] = v; }
    void setY(double v) { variableStorage_[vY] = v; }
};

// The kind-routine table: what a record of each kind runs; call kinds keep their registered routine.
OperationRoutine routineForKind(std::uint8_t kind);

// The system's one pseudo-random generator (RND, RANDOM): seed × 134775813 + 1 modulo 2^32, drawn as
// seed ÷ 2^32. It starts at 0 and the program never reseeds it; tests read and set it to stay independent.
double nextRandom();
std::uint32_t randomSeed();
void setRandomSeed(std::uint32_t seed);

} // namespace kc::parser
