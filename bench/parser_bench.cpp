// The expression parser: compilation of everyday and worst-case texts, and evaluation side by side with
// muparser and a hand-written C++ function of each expression. Ratios to muparser are printed at the end.
#include "parser/parser.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using kc::parser::TParser;

// ----- Compilation -----

std::string chain(const std::string& piece, int count, const std::string& last) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text + last;
}

std::string tree(int depth) {
    if (depth == 0) {
        return "A";
    }
    const std::string half = tree(depth - 1);
    std::string text;
    text += '(';
    text += half;
    text += '-';
    text += half;
    text += ')';
    return text;
}

std::string nestedDifferences(int count) {
    return chain("(1-", count, "1") + std::string(static_cast<std::size_t>(count), ')');
}

struct CompileCase {
    const char* name;
    std::string text;
};

const std::vector<CompileCase>& compileCases() {
    static const std::vector<CompileCase> cases = {
        {"E1 2*A+SIN(B)", "2*A+SIN(B)"},
        {"E4 SQRT(A*A+B*B)", "SQRT(A*A+B*B)"},
        {"E3 A^4+3*A^3-2*A^2+A-7", "A^4+3*A^3-2*A^2+A-7"},
        {"20 differences", chain("1-", 20, "1")},
        {"30 differences, rejected", chain("1-", 30, "1-")},
        {"40 differences, rejected", chain("1-", 40, "1-")},
        {"bracketed 6-level difference tree", tree(6)},
        {"bracketed 7-level tree, too complex", tree(7)},
        {"255: differences, rejected", chain("1-", 127, "+")},
        {"255: sums and differences, rejected", chain("1+1-", 63, "1-+")},
        {"255: nested brackets", nestedDifferences(63) + "+1+"},
        {"255: products and quotients", chain("A*B/", 63, "1*")},
        {"255: two-argument calls", chain("MAX(1-", 42, "1") + std::string(42, ')')},
        {"1000: differences", chain("1-", 499, "1-")},
        {"1000: sums and differences", chain("1+1-", 250, "")},
        {"1000: nested brackets", nestedDifferences(250) + chain("-1", 124, "")},
        {"1000: powers and signs", chain("2^-1*", 200, "")},
        {"1000: products and quotients", chain("A*B/", 250, "")},
        {"1000: mixed operators, rejected", chain("1+2*3-4/5^2+", 83, "-")},
        {"1000: calls", chain("SIN(1-", 166, "1") + std::string(166, ')') + "-"},
    };
    return cases;
}

void BM_Compile(benchmark::State& state, const std::string& text) {
    TParser parser;
    parser.setOnParserError([](kc::parser::TCustomParser&, const std::exception&) {});
    for (auto _ : state) {
        parser.setExpression(text);
        benchmark::DoNotOptimize(parser.Operations().First());
    }
    state.SetLabel(std::to_string(text.size()) + " chars");
}

// ----- Evaluation -----

struct EvaluationCase {
    const char* id;
    const char* text;
    double (*native)(double, double);
};

const EvaluationCase evaluationCases[] = {
    {"E1", "2*A+SIN(B)", [](double a, double b) { return 2 * a + std::sin(b); }},
    {"E2", "((A+B)*(A-B))/(A*B+1)", [](double a, double b) { return ((a + b) * (a - b)) / (a * b + 1); }},
    {"E3", "A^4+3*A^3-2*A^2+A-7",
     [](double a, double) { return a * a * a * a + 3 * a * a * a - 2 * a * a + a - 7; }},
    {"E4", "SQRT(A*A+B*B)", [](double a, double b) { return std::sqrt(a * a + b * b); }},
    {"E5", "SIN(A)^2+COS(B)^2",
     [](double a, double b) { return std::sin(a) * std::sin(a) + std::cos(b) * std::cos(b); }},
    {"E6", "MAX(MIN(A,B),COS(A)*EXP(B/10))",
     [](double a, double b) { return std::max(std::min(a, b), std::cos(a) * std::exp(b / 10)); }},
};

// Inputs change before every evaluation, so no engine can reuse a previous result.
constexpr int kInputs = 64;
double inputA(int i) {
    return 0.5 + i * 0.03125;
}
double inputB(int i) {
    return 1.25 + i * 0.0625;
}

void BM_EvaluateKc(benchmark::State& state, const EvaluationCase& c) {
    TParser parser;
    parser.setExpression(c.text);
    int i = 0;
    for (auto _ : state) {
        parser.setA(inputA(i));
        parser.setB(inputB(i));
        i = (i + 1) & (kInputs - 1);
        benchmark::DoNotOptimize(parser.Value());
    }
}

std::string forMuparser(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

void BM_EvaluateMuparser(benchmark::State& state, const EvaluationCase& c) {
    double a = 0;
    double b = 0;
    mu::Parser parser;
    parser.DefineVar("a", &a);
    parser.DefineVar("b", &b);
    parser.SetExpr(forMuparser(c.text));
    int i = 0;
    for (auto _ : state) {
        a = inputA(i);
        b = inputB(i);
        i = (i + 1) & (kInputs - 1);
        benchmark::DoNotOptimize(parser.Eval());
    }
}

void BM_EvaluateNative(benchmark::State& state, const EvaluationCase& c) {
    int i = 0;
    auto* native = c.native;
    benchmark::DoNotOptimize(native);
    for (auto _ : state) {
        const double a = inputA(i);
        const double b = inputB(i);
        i = (i + 1) & (kInputs - 1);
        benchmark::DoNotOptimize(native(a, b));
    }
}

// Prints each expression's evaluation time relative to muparser once all runs are done.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-4s %-34s %10s %10s %10s %8s %8s\n", "", "expression", "kc ns", "muparser", "native",
                    "kc/mu", "kc/nat");
        for (const EvaluationCase& c : evaluationCases) {
            const double kc = find("Evaluate/kc/", c.id);
            const double mu = find("Evaluate/muparser/", c.id);
            const double native = find("Evaluate/native/", c.id);
            if (kc <= 0 || mu <= 0 || native <= 0) {
                continue;
            }
            std::printf("%-4s %-34s %10.2f %10.2f %10.2f %8.2f %8.2f\n", c.id, c.text, kc, mu, native,
                        kc / mu, kc / native);
        }
    }

private:
    double find(const std::string& prefix, const std::string& id) const {
        std::string name = prefix;
        name += id;
        auto it = times_.find(name);
        return it == times_.end() ? 0 : it->second;
    }
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    auto named = [](const char* prefix, const char* name) {
        std::string full = prefix;
        full += name;
        return full;
    };
    for (const CompileCase& c : compileCases()) {
        benchmark::RegisterBenchmark(named("Compile/", c.name).c_str(), BM_Compile, c.text)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const EvaluationCase& c : evaluationCases) {
        benchmark::RegisterBenchmark(named("Evaluate/kc/", c.id).c_str(), BM_EvaluateKc, c);
        benchmark::RegisterBenchmark(named("Evaluate/muparser/", c.id).c_str(), BM_EvaluateMuparser, c);
        benchmark::RegisterBenchmark(named("Evaluate/native/", c.id).c_str(), BM_EvaluateNative, c);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
