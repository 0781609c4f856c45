// libFuzzer target: any bytes as an expression, compiled and, when that succeeds, evaluated. The parser may
// refuse a text or fail an evaluation with its own errors; anything else (a crash, a leak, undefined
// behaviour, an exception of another kind) is a finding.
#include "core/runtime_error.h"
#include "parser/parser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kc::parser::TParser parser;
    // The first byte also picks the number format, so both number readers are explored.
    parser.setPascalNumberformat(size == 0 || (data[0] & 1) == 0);
    try {
        parser.setExpression(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const kc::RuntimeError&) {
        return 0;
    }
    parser.setA(1.5);
    parser.setB(-0.25);
    parser.setE(1e300);
    for (int run = 0; run < 2; ++run) {
        try {
            parser.Value();
        } catch (const kc::RuntimeError&) {
        }
    }
    return 0;
}
