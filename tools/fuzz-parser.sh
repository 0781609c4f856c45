#!/usr/bin/env bash
# Builds the parser's libFuzzer target with clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# replays the checked-in corpus, fuzzes for a short while (FUZZ_SECONDS, 20 by default) with inputs of up to
# 4,096 bytes, and runs the slow shapes at 32,767 characters. An input that takes more than a second fails
# the run (libFuzzer notices within about a second more), as does a crash, a leak or undefined behaviour;
# the input is then kept in the build folder.
#
# What the fuzzer learns goes to a working corpus in the build folder (KC_FUZZ_WORK, by default
# build-fuzz/corpus): every run starts from the checked-in corpus and that working copy and adds its new
# inputs to the copy. A clean clone, as in CI, starts with an empty copy. To keep new inputs for good,
#   tools/fuzz-parser.sh --merge
# fuzzes as usual and then adds to tests/parser/fuzz/corpus those inputs of the working copy that reach code
# the checked-in corpus does not; review and commit them.
set -euo pipefail
cd "$(dirname "$0")/.."
merge=false
if [ "${1:-}" = "--merge" ]; then
  merge=true
fi
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
work="${KC_FUZZ_WORK:-$build/corpus}"
mkdir -p "$work"
long="$(mktemp -d)"
trap 'rm -rf "$long"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
limits=(-timeout=1 -rss_limit_mb=2048 -artifact_prefix="$build/")
"$fuzzer" "${limits[@]}" -runs=0 "$corpus"
"$fuzzer" "${limits[@]}" -max_total_time="$seconds" -max_len=4096 -dict=tests/parser/fuzz/parser.dict \
  "$work" "$corpus"
# Texts beyond the fuzzer's length: the slow shapes at about 32,767 characters, NUL and 8-bit bytes.
repeat() { for ((i = 0; i < $2; i++)); do printf '%s' "$1"; done; }
{ repeat '(' 16383; printf 1; repeat ')' 16383; } >"$long/long-brackets"
{ repeat '1-' 16383; printf 1; } >"$long/long-differences"
{ repeat 'MAX(' 4680; printf 1; repeat ',1)' 4680; } >"$long/long-nested-calls"
{ repeat 'SIN(1-' 4681; printf 1; repeat ')' 4681; } >"$long/long-nested-sin"
{ repeat '2^-1*' 6552; printf '2^-1'; } >"$long/long-signed-powers"
{ repeat 'E-1-' 8191; printf 'E+1'; } >"$long/long-exponent-or-variable-e"
repeat '1+2*3-4/5^2+' 2730 >"$long/long-mixed-rejected"
repeat '-' 32767 >"$long/long-minus-signs"
{ repeat '1/+' 10922; printf 1; } >"$long/long-signed-division"
{ repeat '1/-1^' 6553; printf 1; } >"$long/long-signed-division-of-powers"
{ repeat '.*+E-1*-' 4095; printf '.*+E-1'; } >"$long/long-e-exponents-after-signs"
{ repeat '-E-1^PI*' 4095; printf '%s' '-E-1^PI'; } >"$long/long-negated-e-exponents"
head -c 32767 /dev/zero >"$long/long-nul"
head -c 32767 /dev/zero | tr '\0' '\377' >"$long/long-high"
"$fuzzer" "${limits[@]}" -runs=0 "$long"/long-*
if $merge; then
  "$fuzzer" "${limits[@]}" -merge=1 "$corpus" "$work"
  echo "Merged into $corpus; review and commit what is new there."
fi
