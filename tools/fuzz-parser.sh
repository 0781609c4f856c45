#!/usr/bin/env bash
# Builds the parser's libFuzzer target with clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# replays its corpus, fuzzes for a short while (FUZZ_SECONDS, 20 by default) and runs a few long texts.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${KC_FUZZ_BUILD_DIR:-build-fuzz}"
seconds="${FUZZ_SECONDS:-20}"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKC_BUILD_FUZZERS=ON \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --target parser_fuzzer
fuzzer="$build/bin/parser_fuzzer"
corpus="tests/parser/fuzz/corpus"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$fuzzer" -runs=0 "$corpus"
"$fuzzer" -max_total_time="$seconds" -max_len=1024 -timeout=20 -rss_limit_mb=2048 "$work" "$corpus"
# Long texts beyond the fuzzer's length: deep brackets, a long chain, NUL and 8-bit bytes.
{ head -c 50000 /dev/zero | tr '\0' '('; printf 1; head -c 50000 /dev/zero | tr '\0' ')'; } >"$work/long-brackets"
{ printf '1-%.0s' $(seq 10000); printf 1; } >"$work/long-chain"
head -c 100000 /dev/zero >"$work/long-nul"
head -c 100000 /dev/zero | tr '\0' '\377' >"$work/long-high"
"$fuzzer" -runs=0 "$work"/long-*
