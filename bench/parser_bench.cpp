// The expression parser: compilation of everyday texts, of the shapes that are worst for it at each length
// and of the fuzz corpus; evaluation side by side with muparser and a hand-written C++ function of each
// expression. At the end it prints the worst compile time per length against its goal and each
// expression's evaluation time relative to muparser and to the hand-written floor.
//
// Compile times come twice. Warm: the benchmark compiles the same text again and again in one parser, as the
// calculator page does on every "=". Fresh: before the benchmarks, every shape at every length is compiled
// once in a new process (this program started again with --fresh-compile=SHAPE:LENGTH), which builds its
// parser, then times only that one compilation: wall and thread CPU time and the pages it touched, with the
// C library's allocator as it starts. Each is run --fresh_runs times (5 by default; 0 skips them) and the
// median kept. Run it as a Release build on one core, with repetitions: taskset -c 1
// build-bench/bin/parser_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving.
#include "compile_texts.h"
#include "fresh_compile.h"
#include "heap_accounting.h"
#include "parser/parser.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using bench::compileShapes;
using bench::FreshTime;
using bench::kGoalMilliseconds;
using bench::kLengths;
using bench::repeat;
using bench::Shape;
using kc::parser::TParser;

// ----- Compilation -----

struct CompileCase {
    std::string name;
    std::string text;
};

std::vector<CompileCase> everydayCases() {
    return {
        {"E1 2*A+SIN(B)", "2*A+SIN(B)"},
        {"E4 SQRT(A*A+B*B)", "SQRT(A*A+B*B)"},
        {"E3 A^4+3*A^3-2*A^2+A-7", "A^4+3*A^3-2*A^2+A-7"},
        {"E6 MAX(MIN(A,B),COS(A)*EXP(B/10))", "MAX(MIN(A,B),COS(A)*EXP(B/10))"},
        {"20 differences", repeat("1-", 20) + "1"},
        {"30 differences, rejected", repeat("1-", 30)},
        // The sizes the slowest shapes were first measured at.
        {"1,000 nested calls", repeat("MAX(", 1000) + "1" + repeat(",1)", 1000)},
        {"2,000 nested calls", repeat("MAX(", 2000) + "1" + repeat(",1)", 2000)},
        {"8,000 characters of signed powers", repeat("2^-1*", 1599) + "2^-1*2"},
        {"16,000 characters of signed powers", repeat("2^-1*", 3199) + "2^-1*2"},
        {"100,000-character difference chain", repeat("1-", 49999) + "1-1"},
    };
}

TParser& quietParser() {
    static TParser parser;
    parser.setOnParserError([](kc::parser::TCustomParser&, const std::exception&) {});
    return parser;
}

// The heap bytes one compilation holds at once beyond what was live before it; the compiler's working
// memory, kept from one compilation to the next and mapped directly, is not among them.
double peakMebibytes(const std::string& text) {
    TParser& parser = quietParser();
    parser.setExpression("");
    const std::size_t before = bench::startPeak();
    parser.setExpression(text);
    return static_cast<double>(bench::peakBytes() - before) / (1024.0 * 1024.0);
}

void BM_Compile(benchmark::State& state, const std::string& text) {
    TParser& parser = quietParser();
    for (auto _ : state) {
        parser.setExpression(text);
        benchmark::DoNotOptimize(parser.Operations().First());
    }
    state.counters["chars"] = static_cast<double>(text.size());
    state.counters["heap_MiB"] = peakMebibytes(text);
}

// The fuzz corpus by length: every input compiled once per iteration; the counter is the slowest input's
// best time over the iterations.
struct CorpusInput {
    std::string text;
    bool pascal;
};

std::vector<CorpusInput> corpus(std::size_t longest, std::size_t shortest) {
    std::vector<CorpusInput> inputs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(KC_FUZZ_CORPUS, error)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (text.size() <= longest && text.size() >= shortest) {
            // As the fuzz target does: the first byte picks the number format.
            const bool pascal = text.empty() || (static_cast<unsigned char>(text[0]) & 1) == 0;
            inputs.push_back({std::move(text), pascal});
        }
    }
    return inputs;
}

void BM_CompileCorpus(benchmark::State& state, std::size_t shortest, std::size_t longest) {
    const std::vector<CorpusInput> inputs = corpus(longest, shortest);
    std::vector<double> best(inputs.size(), 1e30);
    TParser& parser = quietParser();
    for (auto _ : state) {
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            parser.setPascalNumberformat(inputs[i].pascal);
            const auto start = std::chrono::steady_clock::now();
            parser.setExpression(inputs[i].text);
            const auto stop = std::chrono::steady_clock::now();
            best[i] = std::min(best[i], std::chrono::duration<double, std::milli>(stop - start).count());
        }
    }
    parser.setPascalNumberformat(true);
    double peak = 0;
    for (const CorpusInput& input : inputs) {
        peak = std::max(peak, peakMebibytes(input.text));
    }
    state.counters["inputs"] = static_cast<double>(inputs.size());
    state.counters["worst_ms"] = inputs.empty() ? 0 : *std::max_element(best.begin(), best.end());
    state.counters["heap_MiB"] = peak;
}

// ----- Evaluation -----

std::string alternating(int terms, char op) {
    std::string text;
    for (int i = 0; i < terms; ++i) {
        if (i > 0) {
            text += op;
        }
        text += i % 2 == 0 ? "1" : "A";
    }
    return text;
}

std::string nestedBrackets(int levels) {
    std::string text = "A";
    for (int i = 0; i < levels; ++i) {
        text = "(" + text + (i % 2 == 0 ? "+1" : "*2") + ")";
    }
    return text;
}

// A complete tree of two-operand operations, leaves cycling A, B and a small number.
constexpr char kTreeOperators[] = {' ', '+', '*', '-', '+', '*', '-'};
std::string tree(int depth, int& leaf) {
    if (depth == 0) {
        const int i = leaf++;
        return i % 3 == 0 ? "A" : i % 3 == 1 ? "B" : std::to_string(i % 7 + 1);
    }
    const std::string left = tree(depth - 1, leaf);
    const std::string right = tree(depth - 1, leaf);
    return "(" + left + kTreeOperators[depth] + right + ")";
}
std::string fullTree() {
    int leaf = 0;
    const std::string text = tree(6, leaf);
    return text.substr(1, text.size() - 2);
}

// The same tree written out by the compiler from templates: the hand-written floor of the tree.
template <int Depth, int Leaf> double treeFloor(double a, double b) {
    if constexpr (Depth == 0) {
        return Leaf % 3 == 0 ? a : Leaf % 3 == 1 ? b : static_cast<double>(Leaf % 7 + 1);
    } else {
        const double left = treeFloor<Depth - 1, Leaf>(a, b);
        const double right = treeFloor<Depth - 1, Leaf + (1 << (Depth - 1))>(a, b);
        if constexpr (kTreeOperators[Depth] == '+') {
            return left + right;
        } else if constexpr (kTreeOperators[Depth] == '*') {
            return left * right;
        } else {
            return left - right;
        }
    }
}

// The hand-written floors, out of line so that each evaluation is one call reading its inputs, as an
// interpreter's is.
[[gnu::noinline]] double floorE1(double a, double b) {
    return 2 * a + std::sin(b);
}
[[gnu::noinline]] double floorE2(double a, double b) {
    return ((a + b) * (a - b)) / (a * b + 1);
}
[[gnu::noinline]] double floorE3(double a, double) {
    const double a2 = a * a;
    return a2 * a2 + 3 * (a2 * a) - 2 * a2 + a - 7;
}
[[gnu::noinline]] double floorE4(double a, double b) {
    return std::sqrt(a * a + b * b);
}
[[gnu::noinline]] double floorE5(double a, double) {
    return 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a;
}
[[gnu::noinline]] double floorE6(double a, double b) {
    const double smaller = a < b ? a : b;
    const double product = std::cos(a) * std::exp(b / 10);
    return smaller >= product ? smaller : product;
}
[[gnu::noinline]] double floorE7(double a, double) {
    return ((((((((((a + 1) * 2) + 1) * 2) + 1) * 2) + 1) * 2) + 1) * 2);
}
[[gnu::noinline]] double floorL1(double a, double) {
    return 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1 + a + 1;
}
[[gnu::noinline]] double floorL2(double a, double b) {
    return treeFloor<6, 0>(a, b);
}
[[gnu::noinline]] double floorL3(double a, double) {
    return 1 - a - 1 - a - 1 - a - 1 - a - 1 - a - 1 - a - 1 - a - 1 - a - 1 - a - 1 - a - 1;
}

struct EvaluationCase {
    const char* id;
    std::string text;
    double (*floor)(double, double);
};

const std::vector<EvaluationCase>& evaluationCases() {
    static const std::vector<EvaluationCase> cases = {
        {"E1", "2*A+SIN(B)", floorE1},
        {"E2", "((A+B)*(A-B))/(A*B+1)", floorE2},
        {"E3", "A^4+3*A^3-2*A^2+A-7", floorE3},
        {"E4", "SQRT(A*A+B*B)", floorE4},
        {"E5", alternating(20, '+'), floorE5},
        {"E6", "MAX(MIN(A,B),COS(A)*EXP(B/10))", floorE6},
        {"E7", nestedBrackets(10), floorE7},
        {"L1", alternating(21, '+'), floorL1},
        {"L2", fullTree(), floorL2},
        {"L3", alternating(21, '-'), floorL3},
    };
    return cases;
}

// Inputs change before every evaluation, so no engine can reuse a previous result.
constexpr int kInputs = 64;
double inputA(int i) {
    return 0.5 + i * 0.03125;
}
double inputB(int i) {
    return 1.25 + i * 0.0625;
}

template <typename Evaluate> void timeEvaluation(benchmark::State& state, Evaluate evaluate) {
    int i = 0;
    const std::size_t allocationsBefore = bench::allocations();
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluate(inputA(i), inputB(i)));
        i = (i + 1) & (kInputs - 1);
    }
    state.counters["allocs"] = benchmark::Counter(
        static_cast<double>(bench::allocations() - allocationsBefore), benchmark::Counter::kAvgIterations);
}

void BM_EvaluateKc(benchmark::State& state, const EvaluationCase& c) {
    TParser parser;
    parser.setExpression(c.text);
    timeEvaluation(state, [&](double a, double b) {
        parser.setA(a);
        parser.setB(b);
        return parser.Value();
    });
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
    timeEvaluation(state, [&](double x, double y) {
        a = x;
        b = y;
        return parser.Eval();
    });
}

void BM_EvaluateFloor(benchmark::State& state, const EvaluationCase& c) {
    auto* floor = c.floor;
    benchmark::DoNotOptimize(floor);
    timeEvaluation(state, floor);
}

// The engines must agree before their times mean anything.
void checkAgreement() {
    for (const EvaluationCase& c : evaluationCases()) {
        TParser parser;
        parser.setExpression(c.text);
        parser.setA(inputA(5));
        parser.setB(inputB(5));
        const double kc = static_cast<double>(parser.Value());
        double a = inputA(5);
        double b = inputB(5);
        mu::Parser mu;
        mu.DefineVar("a", &a);
        mu.DefineVar("b", &b);
        mu.SetExpr(forMuparser(c.text));
        const double floor = c.floor(a, b);
        for (double other : {static_cast<double>(mu.Eval()), floor}) {
            if (std::fabs(kc - other) > 1e-12 * std::max(1.0, std::fabs(other))) {
                std::printf("MISMATCH %s: kc %.17g, other %.17g\n", c.id, kc, other);
            }
        }
    }
}

// Prints the compile times, warm and fresh, and the evaluation ratios once all runs are done. With
// repetitions, each figure is the median over them; interleaving the repetitions of all benchmarks
// (--benchmark_enable_random_interleaving) spreads the machine's drift over every engine alike.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    explicit SummaryReporter(bench::FreshTimes fresh) : fresh_(std::move(fresh)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate) {
                continue;
            }
            const std::string name = run.run_name.str();
            if (const auto worst = run.counters.find("worst_ms"); worst != run.counters.end()) {
                wall_[name].push_back(worst->second.value * 1e3); // in microseconds, like the shapes
                cpu_[name].push_back(-1);
            } else {
                wall_[name].push_back(run.GetAdjustedRealTime());
                cpu_[name].push_back(run.GetAdjustedCPUTime());
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (auto& [name, values] : wall_) {
            times_[name] = median(values);
            cpuTimes_[name] = median(cpu_[name]);
        }
        printCompileTimes();
        std::printf("\n%-4s %10s %10s %10s %8s %8s\n", "", "kc ns", "muparser", "floor", "kc/mu", "kc/floor");
        double logSum = 0;
        int logCount = 0;
        for (const EvaluationCase& c : evaluationCases()) {
            const double kc = find("Evaluate/kc/", c.id);
            const double mu = find("Evaluate/muparser/", c.id);
            const double floor = find("Evaluate/floor/", c.id);
            if (kc <= 0 || mu <= 0 || floor <= 0) {
                continue;
            }
            std::printf("%-4s %10.2f %10.2f %10.2f %8.2f %8.2f\n", c.id, kc, mu, floor, kc / mu, kc / floor);
            if (std::string_view("E1E2E3E4E6").find(c.id) != std::string_view::npos) {
                logSum += std::log(kc / mu);
                ++logCount;
            }
        }
        if (logCount > 0) {
            std::printf("geomean kc/mu of E1-E4, E6: %.2f\n", std::exp(logSum / logCount));
        }
    }

private:
    // Warm, the median of the repetitions; fresh, the median wall time of the runs in new processes.
    void printCompileTimes() {
        std::printf("\ncompile ms, warm | fresh");
        for (std::size_t length : kLengths) {
            std::printf("%18zu", length);
        }
        std::printf("\n");
        std::vector<std::string> rows;
        for (const Shape& shape : compileShapes()) {
            rows.emplace_back(shape.name);
        }
        rows.emplace_back("fuzz corpus");
        std::map<std::size_t, std::pair<std::string, double>> worstWarm;
        std::map<std::size_t, std::pair<std::size_t, FreshTime>> worstFresh;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            std::printf("%-26.26s", rows[row].c_str());
            for (std::size_t length : kLengths) {
                const auto warm = times_.find("Compile/" + std::to_string(length) + "/" + rows[row]);
                const auto fresh = fresh_.find({length, row});
                std::printf("  %7s |", warm == times_.end() ? "-" : format(warm->second / 1e3).c_str());
                std::printf(" %6s", fresh == fresh_.end() ? "-" : format(fresh->second.wall).c_str());
                if (warm != times_.end() && warm->second / 1e3 > worstWarm[length].second) {
                    worstWarm[length] = {rows[row], warm->second / 1e3};
                }
                if (fresh != fresh_.end() && fresh->second.wall >= worstFresh[length].second.wall) {
                    worstFresh[length] = {row, fresh->second};
                }
            }
            std::printf("\n");
        }
        std::printf("\n%-8s %-26s %9s %9s | %-26s %9s %9s %6s %8s\n", "length", "worst warm", "wall ms",
                    "cpu ms", "worst fresh", "wall ms", "cpu ms", "pages", "goal ms");
        for (std::size_t length : kLengths) {
            const auto& [warmName, warm] = worstWarm[length];
            const std::string prefix = "Compile/" + std::to_string(length) + "/";
            const bool hasWarm = !warmName.empty();
            const double warmCpu = hasWarm ? cpuTimes_[prefix + warmName] : -1;
            const bool hasFresh = worstFresh.count(length) != 0;
            const auto& [freshRow, fresh] = worstFresh[length];
            std::printf(
                "%-8zu %-26.26s %9s %9s | %-26.26s %9s %9s %6s %8.0f\n", length,
                hasWarm ? warmName.c_str() : "-", hasWarm ? format(warm).c_str() : "-",
                warmCpu < 0 ? "-" : format(warmCpu / 1e3).c_str(),
                hasFresh ? compileShapes()[freshRow].name : "-", hasFresh ? format(fresh.wall).c_str() : "-",
                hasFresh ? format(fresh.cpu).c_str() : "-",
                hasFresh ? std::to_string(static_cast<long>(fresh.pages)).c_str() : "-", kGoalMilliseconds);
        }
    }
    static double median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    static std::string format(double milliseconds) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", milliseconds);
        return text;
    }
    double find(const std::string& prefix, const std::string& id) const {
        const auto it = times_.find(prefix + id);
        return it == times_.end() ? 0 : it->second;
    }
    std::map<std::string, std::vector<double>> wall_;
    std::map<std::string, std::vector<double>> cpu_;
    std::map<std::string, double> times_;
    std::map<std::string, double> cpuTimes_;
    bench::FreshTimes fresh_;
};

} // namespace

int main(int argc, char** argv) {
    // This program's own options go before the benchmark library sees the rest.
    int freshRuns = 5;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.rfind("--fresh-compile=", 0) == 0) {
            return bench::compileOnceFresh(argument.substr(std::string_view("--fresh-compile=").size()));
        }
        if (argument.rfind("--fresh_runs=", 0) == 0) {
            freshRuns = std::atoi(argv[i] + std::string_view("--fresh_runs=").size());
            continue;
        }
        argv[kept++] = argv[i];
    }
    argc = kept;
    auto fresh = bench::freshTimes(freshRuns);
    for (const CompileCase& c : everydayCases()) {
        benchmark::RegisterBenchmark(("Compile/" + c.name).c_str(), BM_Compile, c.text)
            ->Unit(benchmark::kMicrosecond);
    }
    std::size_t shortest = 0;
    for (std::size_t length : kLengths) {
        const std::string prefix = "Compile/" + std::to_string(length) + "/";
        for (const Shape& shape : compileShapes()) {
            benchmark::RegisterBenchmark((prefix + shape.name).c_str(), BM_Compile, shape.text(length))
                ->Unit(benchmark::kMicrosecond);
        }
        if (!corpus(length, shortest).empty()) {
            benchmark::RegisterBenchmark((prefix + "fuzz corpus").c_str(), BM_CompileCorpus, shortest, length)
                ->Unit(benchmark::kMicrosecond);
        }
        shortest = length + 1;
    }
    for (const EvaluationCase& c : evaluationCases()) {
        benchmark::RegisterBenchmark((std::string("Evaluate/kc/") + c.id).c_str(), BM_EvaluateKc, c);
        benchmark::RegisterBenchmark((std::string("Evaluate/muparser/") + c.id).c_str(), BM_EvaluateMuparser,
                                     c);
        benchmark::RegisterBenchmark((std::string("Evaluate/floor/") + c.id).c_str(), BM_EvaluateFloor, c);
    }
    checkAgreement();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    SummaryReporter reporter(std::move(fresh));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
