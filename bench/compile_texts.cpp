#include "compile_texts.h"

namespace bench {

std::string repeat(const std::string& piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

namespace {

constexpr Shape kShapes[] = {
    {"nested two-argument calls",
     [](std::size_t n) { return repeat("MAX(", (n - 1) / 7) + "1" + repeat(",1)", (n - 1) / 7); }},
    {"signed powers", [](std::size_t n) { return repeat("2^-1*", (n - 4) / 5) + "2^-1"; }},
    {"minus signs", [](std::size_t n) { return std::string(n, '-'); }},
    {"differences", [](std::size_t n) { return repeat("1-", (n - 1) / 2) + "1"; }},
    {"deep brackets",
     [](std::size_t n) { return repeat("(", (n - 1) / 2) + "1" + repeat(")", (n - 1) / 2); }},
    {"rejected differences", [](std::size_t n) { return repeat("1-", n / 2); }},
    {"sums", [](std::size_t n) { return repeat("1+", (n - 1) / 2) + "1"; }},
    {"exponent or variable E", [](std::size_t n) { return repeat("E-1-", (n - 3) / 4) + "E+1"; }},
    {"mixed operators, rejected", [](std::size_t n) { return repeat("1+2*3-4/5^2+", n / 12); }},
    {"nested one-argument calls",
     [](std::size_t n) { return repeat("SIN(1-", (n - 1) / 7) + "1" + repeat(")", (n - 1) / 7); }},
    // A signed divisor makes every right part a number: the sum or difference searched first finds nothing.
    {"signed division chains", [](std::size_t n) { return repeat("1/+", (n - 1) / 3) + "1"; }},
    {"signed division of powers", [](std::size_t n) { return repeat("1/-1^", (n - 1) / 5) + "1"; }},
    // E-1 after a sign is a number, so the E before each "-" never ends an operand; each level of the
    // product chain must still rule the differences out.
    {"E exponents after signs", [](std::size_t n) { return repeat(".*+E-1*-", (n - 6) / 8) + ".*+E-1"; }},
    {"negated E exponents", [](std::size_t n) { return repeat("-E-1^PI*", (n - 7) / 8) + "-E-1^PI"; }},
};

} // namespace

std::span<const Shape> compileShapes() {
    return kShapes;
}

} // namespace bench
