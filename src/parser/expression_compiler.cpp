#include "parser/expression_compiler.h"

#include "core/checked_math.h"
#include "parser/term_recogniser.h"

#include <array>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace kc::parser {

void OperationList::BlockDeleter::operator()(std::byte* block) const {
    ::operator delete(block);
}

namespace {

using detail::leftSetOf;
using detail::Span;
using detail::TermRecogniser;
using detail::TermSet;

// An operand slot of a node: a span of the text once written, a single blank until then.
struct Slot {
    bool written = false;
    Span span;
};

// A node of the transient tree. Texts are spans of the prepared text; the operand texts are slots that
// read as a single blank until written.
struct TermRecord {
    Span Text;
    Slot Arg1Text;
    Slot Arg2Text;
    std::uint8_t Kind = 0;
    int Level = 0;
    int Position = 0;
    int Side = 0;
    int Arg1Term = -1; // indices into the node arena; -1 when empty
    int Arg2Term = -1;
    int Parent = -1;
    double constant = 0;
    double* variable = nullptr;
    OperationRoutine routine = nullptr;
};

// A reference to a real while records are being built: a variable's storage or an index into the reals.
struct RealRef {
    double* variable = nullptr;
    int real = -1;
    bool empty() const { return variable == nullptr && real < 0; }
};

struct PendingRecord {
    RealRef arg1;
    RealRef arg2;
    RealRef dest;
    OperationRoutine func = nullptr;
    std::uint8_t kind = okVariable;
};

} // namespace

namespace detail {

// What a compilation works in; a compiler keeps it for the next one.
struct CompilerWorkspace {
    std::string upper;
    TermRecogniser recogniser;
    std::vector<TermRecord> nodes;
    std::vector<PendingRecord> records;
    std::vector<double> reals;
    std::vector<int> order;
};

} // namespace detail

// Builds one compiled list: preparation, the depth-first walk filling the level table, then linking.
class ListBuilder {
public:
    ListBuilder(std::string_view text, const VariableRegistry& variables, const FunctionRegistry& functions1,
                const FunctionRegistry& functions2, bool pascal, detail::CompilerWorkspace& workspace)
        : variables_(variables), functions1_(functions1), functions2_(functions2), pascal_(pascal),
          upper_(workspace.upper), rec_(workspace.recogniser), nodes_(workspace.nodes),
          records_(workspace.records), reals_(workspace.reals), order_(workspace.order) {
        upper_.assign(text);
        nodes_.clear();
        records_.clear();
        reals_.clear();
        order_.clear();
    }

    OperationList build() {
        const Span root = prepare();
        walk(root);
        return link();
    }

private:
    Span prepare() {
        for (char& c : upper_) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        std::size_t b = 0;
        std::size_t e = upper_.size();
        while (b < e && upper_[b] == ' ') {
            ++b;
        }
        while (e > b && upper_[e - 1] == ' ') {
            --e;
        }
        const std::string_view trimmed = std::string_view(upper_).substr(b, e - b);
        if (trimmed.find(' ') != std::string_view::npos) {
            throw EExpressionHasBlanks("Expression has blanks");
        }
        std::size_t opens = 0;
        std::size_t closes = 0;
        for (char c : trimmed) {
            opens += c == '(';
            closes += c == ')';
        }
        if (opens > closes) {
            throw EMissMatchingBracket("Missing brackets in expression (\")\")");
        }
        if (closes > opens) {
            throw EMissMatchingBracket("Missing brackets in expression (\"(\")");
        }
        rec_.reset(trimmed, variables_, functions1_, functions2_, pascal_);
        Span whole{0, trimmed.size()};
        while (rec_.bracket(whole.s, whole.e)) {
            whole = rec_.bracketResult(whole.s, whole.e);
        }
        return whole;
    }

    std::string slotText(const Slot& slot) const {
        return slot.written ? std::string(rec_.text(slot.span.s, slot.span.e)) : std::string(" ");
    }

    [[noreturn]] void raiseSyntaxError(const TermRecord& node) const {
        std::string message = "Error parsing expression:\r";
        if (!node.Arg1Text.written && !node.Arg2Text.written) {
            message += rec_.text(node.Text.s, node.Text.e);
        } else {
            message += slotText(node.Arg1Text);
            message += '\r';
            message += slotText(node.Arg2Text);
        }
        throw ESyntaxError(message);
    }

    static void write(Slot& slot, Span span) {
        slot.written = true;
        slot.span = span;
    }

    static void writeMatch(TermRecord& node, const TermRecogniser& r, std::size_t i) {
        write(node.Arg1Text, r.operandResult(node.Text.s, i));
        write(node.Arg2Text, r.operandResult(i + 1, node.Text.e));
    }

    // One operator form, searched quickly: the first operator where the part before is in the operator's left
    // set and the part after in `right`. A node's text is balanced, and so is every part before that a
    // reading from its start reaches, so balance needs no test. An operator in the last character matches
    // nothing, so stopping there changes nothing either. Only a match writes the slots, which is all a
    // matched node needs.
    bool quickSplit(TermRecord& node, char op, TermSet right) {
        TermRecogniser& r = rec_;
        const std::size_t s = node.Text.s;
        const std::size_t e = node.Text.e;
        if (e - s < 2) {
            return false;
        }
        // An operator in the first character stops the search.
        const std::size_t first = r.find(op, op == '-' ? s + 1 : s, e);
        if (first == s) {
            return false;
        }
        const std::size_t i = r.firstSplit(op, right, first, e - 1);
        if (i >= e - 1) {
            return false;
        }
        writeMatch(node, r, i);
        splitRight_ = {i + 1, e};
        return true;
    }

    // One operator form as classification runs it, writing the operand slots at every operator it reaches,
    // as a node that matches no form shows them.
    bool fullSplit(TermRecord& node, char op, TermSet right) {
        TermRecogniser& r = rec_;
        const std::size_t s = node.Text.s;
        const std::size_t e = node.Text.e;
        if (e - s < 2) {
            return false;
        }
        // The bracket balance of the part before the operator, counted on as the search moves right.
        const long whole = r.bracketBalance(s, e);
        long before = 0;
        std::size_t counted = s;
        for (std::size_t i = r.find(op, op == '-' ? s + 1 : s, e); i < e; i = r.find(op, i + 1, e)) {
            if (i == s || i == e - 1) {
                return false;
            }
            before += r.bracketBalance(counted, i);
            counted = i;
            const bool balanced = before == 0 && whole == before;
            if (op == '+') {
                write(node.Arg2Text, {i + 1, e});
                if (balanced) {
                    write(node.Arg1Text, {s, i});
                }
            } else {
                write(node.Arg1Text, {s, i});
                write(node.Arg2Text, {i + 1, e});
            }
            if (!balanced || !r.prefixIn(leftSetOf(op), i)) {
                continue;
            }
            write(node.Arg1Text, r.operandResult(s, i));
            if (r.suffixIn(right, i + 1)) {
                writeMatch(node, r, i);
                splitRight_ = {i + 1, e};
                return true;
            }
        }
        return false;
    }

    bool classifySplit(TermRecord& node, char op, TermSet right, bool quick) {
        return quick ? quickSplit(node, op, right) : fullSplit(node, op, right);
    }

    static std::uint8_t exponentKind(double v) {
        const std::int64_t whole = truncToInt(v);
        const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(whole));
        if (static_cast<double>(low) != v) {
            return okPower;
        }
        switch (low) {
        case 2:
            return okSquare;
        case 3:
            return okCube;
        case 4:
            return okFourthPower;
        default:
            return okIntPower;
        }
    }

    // Classifies quickly; a node no form matches is classified again the slow way, so that its message
    // shows the operand texts every attempt left.
    void classify(TermRecord& node) {
        if (!classifyAs(node, true)) {
            node.Arg1Text = Slot{};
            node.Arg2Text = Slot{};
            classifyAs(node, false);
        }
    }

    bool classifyAs(TermRecord& node, bool quick) {
        TermRecogniser& r = rec_;
        const std::size_t s = node.Text.s;
        const std::size_t e = node.Text.e;
        r.anchor(s, e);
        if (r.number(s, e)) {
            node.Kind = okConstant;
            node.constant = r.numberValue(s, e);
            return true;
        }
        if (r.variable(s, e)) {
            node.Kind = okVariable;
            node.variable = *variables_.findUpper(r.text(s, e));
            return true;
        }
        if (s < e && r.at(s) == '-') {
            write(node.Arg1Text, {s + 1, e});
            if (r.bracket(s + 1, e)) {
                write(node.Arg1Text, r.bracketResult(s + 1, e));
                node.Kind = okNegate;
                return true;
            }
            if (r.suffixIn(TermSet::NegationOperand, s + 1)) {
                node.Kind = okNegate;
                return true;
            }
        }
        // The part before each operator must be in the operator's left set (leftSetOf).
        struct OperatorForm {
            char op;
            TermSet right;
            std::uint8_t kind;
        };
        static constexpr OperatorForm forms[] = {
            {'+', TermSet::SumRight, okAdd},
            {'-', TermSet::DifferenceRight, okSubtract},
            {'*', TermSet::DifferenceRight, okMultiply},
            {'/', TermSet::QuotientRight, okDivide},
        };
        for (const OperatorForm& form : forms) {
            if (classifySplit(node, form.op, form.right, quick)) {
                node.Kind = form.kind;
                return true;
            }
        }
        if (classifySplit(node, '^', TermSet::Primary, quick)) {
            // The kind follows the exponent as written: a bracketed number is an exponent like any other.
            const Span exponent = splitRight_;
            node.Kind = okPower;
            if (r.number(exponent.s, exponent.e)) {
                node.Kind = exponentKind(r.numberValue(exponent.s, exponent.e));
            }
            return true;
        }
        const std::size_t q = r.callParen(s, e);
        if (q != std::string_view::npos) {
            const std::string_view name = r.text(s, q);
            if (const OperationRoutine* routine = functions1_.findUpper(name)) {
                if (r.at(e - 1) == ')') {
                    write(node.Arg1Text, {q + 1, e - 1});
                    if (r.bracket(q, e)) {
                        write(node.Arg1Text, r.bracketResult(q, e));
                        node.Kind = okFunction1;
                        node.routine = *routine;
                        return true;
                    }
                }
            }
            if (const OperationRoutine* routine = functions2_.findUpper(name)) {
                if (r.at(e - 1) == ')' && classifyArguments(node, q + 1, e - 1, quick)) {
                    node.Kind = okFunction2;
                    node.routine = *routine;
                    return true;
                }
            }
        }
        if (quick) {
            return false;
        }
        raiseSyntaxError(node);
    }

    // Splits a call's inside at the first comma with a valid term on either side. A comma in the first or
    // last character stops the search; only the first matters to a quick search, which writes only a match.
    bool classifyArguments(TermRecord& node, std::size_t is, std::size_t ie, bool quick) {
        TermRecogniser& r = rec_;
        r.anchor(is, ie);
        if (quick) {
            if (is == ie || r.at(is) == ',') {
                return false;
            }
            const std::size_t c = r.firstSplit(',', TermSet::Valid, is, ie - 1);
            if (c >= ie - 1) {
                return false;
            }
            write(node.Arg1Text, r.validResult(is, c));
            write(node.Arg2Text, r.validResult(c + 1, ie));
            return true;
        }
        for (std::size_t c = r.find(',', is, ie); c < ie; c = r.find(',', c + 1, ie)) {
            if (c == is || c == ie - 1) {
                return false;
            }
            write(node.Arg1Text, {is, c});
            if (!r.prefixIn(TermSet::Valid, c)) {
                continue;
            }
            write(node.Arg1Text, r.validResult(is, c));
            write(node.Arg2Text, {c + 1, ie});
            if (r.suffixIn(TermSet::Valid, c + 1)) {
                write(node.Arg2Text, r.validResult(c + 1, ie));
                return true;
            }
        }
        return false;
    }

    // Puts a reference into the operand of the record at (level, position) that the node feeds.
    void feed(const TermRecord& node, RealRef ref) {
        PendingRecord& consumer = records_[table_[node.Level][node.Position]];
        (node.Side == 1 ? consumer.arg1 : consumer.arg2) = ref;
    }

    int addNode(Span text, int level, int position, int side, int parent) {
        TermRecord node;
        node.Text = text;
        node.Level = level;
        node.Position = position;
        node.Side = side;
        node.Parent = parent;
        nodes_.push_back(node);
        return static_cast<int>(nodes_.size() - 1);
    }

    void walk(Span rootText) {
        for (auto& row : table_) {
            row.fill(-1);
        }
        records_.push_back(PendingRecord{});
        table_[0][1] = 0;
        counts_[0] = 1;
        nodes_.reserve(16);
        const int root = addNode(rootText, 0, 1, 1, -1);
        int current = root;
        for (;;) {
            if (nodes_[current].Arg1Term < 0) {
                TermRecord& node = nodes_[current];
                classify(node);
                if (node.Kind == okConstant) {
                    reals_.push_back(node.constant);
                    feed(node, RealRef{nullptr, static_cast<int>(reals_.size() - 1)});
                } else if (node.Kind == okVariable) {
                    feed(node, RealRef{node.variable, -1});
                }
            }
            const std::uint8_t kind = nodes_[current].Kind;
            if (kind >= okNegate) {
                if (nodes_[current].Arg1Term < 0) {
                    const int level = nodes_[current].Level + 1;
                    if (level > kMaxLevel) {
                        throw ETooManyNestings("Expression contains too many nestings");
                    }
                    const int position = counts_[level] + 1;
                    if (position > kMaxPerLevel) {
                        throw EExpressionTooComplex("Expression is too complex");
                    }
                    deepest_ = std::max(deepest_, level);
                    const int child = addNode(nodes_[current].Arg1Text.span, level, position, 1, current);
                    nodes_[current].Arg1Term = child;
                    PendingRecord record;
                    record.kind = kind;
                    if (kind == okFunction1 || kind == okFunction2) {
                        record.func = nodes_[current].routine;
                    }
                    reals_.push_back(0.0);
                    record.dest = RealRef{nullptr, static_cast<int>(reals_.size() - 1)};
                    records_.push_back(record);
                    table_[level][position] = static_cast<int>(records_.size() - 1);
                    feed(nodes_[current], record.dest);
                    if (isOneOperandKind(kind)) {
                        ++counts_[level];
                    }
                } else {
                    if (!isTwoOperandKind(kind)) {
                        throw EParserInternalError("TParser internal error");
                    }
                    const int level = nodes_[current].Level + 1;
                    const int position = counts_[level] + 1;
                    const int child = addNode(nodes_[current].Arg2Text.span, level, position, 2, current);
                    nodes_[current].Arg2Term = child;
                    ++counts_[level];
                }
            }
            if (nodes_[current].Arg1Term >= 0) {
                current = nodes_[current].Arg2Term >= 0 ? nodes_[current].Arg2Term : nodes_[current].Arg1Term;
                continue;
            }
            if (current == root) {
                return;
            }
            do {
                current = nodes_[current].Parent;
            } while (!(isTwoOperandKind(nodes_[current].Kind) && nodes_[current].Arg2Term < 0) &&
                     current != root);
            if (current != root) {
                continue;
            }
            const TermRecord& top = nodes_[root];
            if (isOneOperandKind(top.Kind) || (isTwoOperandKind(top.Kind) && top.Arg2Term >= 0)) {
                return;
            }
        }
    }

    OperationList link() {
        std::vector<int>& order = order_;
        if (deepest_ == 0) {
            order.push_back(0);
        } else {
            for (int level = deepest_; level >= 1; --level) {
                for (int position = 1; position <= counts_[level]; ++position) {
                    order.push_back(table_[level][position]);
                }
            }
        }
        const std::size_t recordBytes = order.size() * sizeof(OperationRecord);
        const std::size_t bytes = recordBytes + reals_.size() * sizeof(double);
        OperationList list;
        list.block_.reset(static_cast<std::byte*>(::operator new(bytes)));
        auto* records = reinterpret_cast<OperationRecord*>(list.block_.get());
        auto* reals = reinterpret_cast<double*>(list.block_.get() + recordBytes);
        for (std::size_t i = 0; i < reals_.size(); ++i) {
            new (reals + i) double(reals_[i]);
        }
        auto resolve = [&](const RealRef& ref) -> double* {
            if (ref.variable != nullptr) {
                return ref.variable;
            }
            return ref.real >= 0 ? reals + ref.real : nullptr;
        };
        for (std::size_t i = 0; i < order.size(); ++i) {
            const PendingRecord& pending = records_[order[i]];
            OperationRecord* record = new (records + i) OperationRecord{};
            record->Arg1 = resolve(pending.arg1);
            record->Arg2 = resolve(pending.arg2);
            record->Dest = resolve(pending.dest);
            record->Func = pending.func;
            record->Kind = pending.kind;
            if (i > 0) {
                records[i - 1].Next = record;
            }
        }
        if (deepest_ == 0) {
            records[0].Dest = records[0].Arg1;
        }
        list.first_ = records;
        list.last_ = records + order.size() - 1;
        list.count_ = order.size();
        return list;
    }

    const VariableRegistry& variables_;
    const FunctionRegistry& functions1_;
    const FunctionRegistry& functions2_;
    bool pascal_;
    std::string& upper_;
    TermRecogniser& rec_;
    std::vector<TermRecord>& nodes_;
    std::vector<PendingRecord>& records_;
    std::vector<double>& reals_;
    std::vector<int>& order_;
    std::array<std::array<int, kMaxPerLevel + 1>, kMaxLevel + 1> table_{};
    std::array<int, kMaxLevel + 1> counts_{};
    int deepest_ = 0;
    Span splitRight_;
};

ExpressionCompiler::ExpressionCompiler() : workspace_(std::make_unique<detail::CompilerWorkspace>()) {}
ExpressionCompiler::~ExpressionCompiler() = default;
ExpressionCompiler::ExpressionCompiler(ExpressionCompiler&&) noexcept = default;
ExpressionCompiler& ExpressionCompiler::operator=(ExpressionCompiler&&) noexcept = default;

OperationList ExpressionCompiler::compile(std::string_view text, const VariableRegistry& variables,
                                          const FunctionRegistry& functions1,
                                          const FunctionRegistry& functions2, bool pascalNumberFormat) {
    // Positions are kept in 32 bits; a 2 GiB expression is refused rather than misread.
    if (text.size() >= (std::size_t{1} << 31)) {
        throw EExpressionTooComplex("Expression is too complex");
    }
    return ListBuilder(text, variables, functions1, functions2, pascalNumberFormat, *workspace_).build();
}

OperationList CompileExpression(std::string_view text, const VariableRegistry& variables,
                                const FunctionRegistry& functions1, const FunctionRegistry& functions2,
                                bool pascalNumberFormat) {
    return ExpressionCompiler().compile(text, variables, functions1, functions2, pascalNumberFormat);
}

} // namespace kc::parser
