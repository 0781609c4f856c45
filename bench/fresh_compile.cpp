#include "fresh_compile.h"

#include "compile_texts.h"
#include "parser/parser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace bench {

namespace {

using kc::parser::TParser;

double threadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int compileOnceFresh(std::string_view request) {
    const std::size_t colon = request.find(':');
    const std::size_t shape = std::stoul(std::string(request.substr(0, colon)));
    const std::size_t length = std::stoul(std::string(request.substr(colon + 1)));
    TParser parser;
    parser.setOnParserError([](kc::parser::TCustomParser&, const std::exception&) {});
    const std::string text = compileShapes()[shape].text(length);
    const long pagesBefore = pageFaults();
    const double cpuBefore = threadCpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    parser.setExpression(text);
    const auto stop = std::chrono::steady_clock::now();
    const double cpu = threadCpuMilliseconds() - cpuBefore;
    const long pages = pageFaults() - pagesBefore;
    std::printf("%.4f %.4f %ld\n", std::chrono::duration<double, std::milli>(stop - start).count(), cpu,
                pages);
    return 0;
}

FreshTimes freshTimes(int runs) {
    FreshTimes times;
    if (runs <= 0) {
        return times;
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    for (std::size_t length : kLengths) {
        for (std::size_t shape = 0; shape < compileShapes().size(); ++shape) {
            std::vector<double> wall;
            std::vector<double> cpu;
            std::vector<double> pages;
            for (int run = 0; run < runs; ++run) {
                // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "..." + string.
                std::string command = "'";
                command += self;
                command += "' --fresh-compile=";
                command += std::to_string(shape);
                command += ':';
                command += std::to_string(length);
                FILE* child = popen(command.c_str(), "r");
                FreshTime t;
                if (child != nullptr && std::fscanf(child, "%lf %lf %lf", &t.wall, &t.cpu, &t.pages) == 3) {
                    wall.push_back(t.wall);
                    cpu.push_back(t.cpu);
                    pages.push_back(t.pages);
                }
                if (child != nullptr) {
                    pclose(child);
                }
            }
            times[{length, shape}] = FreshTime{median(wall), median(cpu), median(pages)};
        }
    }
    return times;
}

} // namespace bench
