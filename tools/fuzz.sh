#!/usr/bin/env bash
# The libFuzzer targets, one entry for all of them.
#   tools/fuzz.sh --list                         the targets' names, one a line
#   tools/fuzz.sh NAME [--seconds N] [--merge]   one target
#   tools/fuzz.sh all [--seconds N] [--merge]    every target in turn
# Each run builds the target with clang under AddressSanitizer and UndefinedBehaviorSanitizer (the asan
# preset, folder build-asan), replays its checked-in corpus (tests/fuzz/NAME/corpus), then fuzzes for N
# seconds (20 by default). A crash, a leak, undefined behaviour, a wrong answer the target checks for, or an
# input slower than its time limit fails the run; the input is kept as build-asan/fuzz/NAME-crash-… (or
# -timeout-…) and the script exits non-zero.
#
# What the fuzzer learns goes to a working corpus, build-asan/fuzz/NAME: every run starts from the
# checked-in corpus and that copy. With --merge, the inputs of the copy that reach code the checked-in corpus
# does not are added to it afterwards; review and commit them.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(expression expression-vs-reference number-text design-file settings batch)

usage() {
  echo "usage: tools/fuzz.sh --list | NAME|all [--seconds N] [--merge]" >&2
  exit 2
}

[ $# -ge 1 ] || usage
if [ "$1" = "--list" ]; then
  printf '%s\n' "${targets[@]}"
  exit 0
fi
name="$1"
shift
seconds=20
merge=false
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) [ $# -ge 2 ] || usage; seconds="$2"; shift 2 ;;
    --merge) merge=true; shift ;;
    *) usage ;;
  esac
done
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

if [ "$name" = "all" ]; then
  selected=("${targets[@]}")
else
  printf '%s\n' "${targets[@]}" | grep -qx -- "$name" || { echo "No fuzz target called '$name'." >&2; usage; }
  selected=("$name")
fi

build=build-asan
cmake --preset asan >/dev/null
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/fuzz"

# The texts beyond the expression target's length: the slow shapes at about 32,767 characters, NUL and 8-bit
# bytes. Each must compile (or be refused) within the time limit.
long_expressions() {
  local dir="$1"
  repeat() { for ((i = 0; i < $2; i++)); do printf '%s' "$1"; done; }
  { repeat '(' 16383; printf 1; repeat ')' 16383; } >"$dir/long-brackets"
  { repeat '1-' 16383; printf 1; } >"$dir/long-differences"
  { repeat 'MAX(' 4680; printf 1; repeat ',1)' 4680; } >"$dir/long-nested-calls"
  { repeat 'SIN(1-' 4681; printf 1; repeat ')' 4681; } >"$dir/long-nested-sin"
  { repeat '2^-1*' 6552; printf '2^-1'; } >"$dir/long-signed-powers"
  { repeat 'E-1-' 8191; printf 'E+1'; } >"$dir/long-exponent-or-variable-e"
  repeat '1+2*3-4/5^2+' 2730 >"$dir/long-mixed-rejected"
  repeat '-' 32767 >"$dir/long-minus-signs"
  { repeat '1/+' 10922; printf 1; } >"$dir/long-signed-division"
  { repeat '1/-1^' 6553; printf 1; } >"$dir/long-signed-division-of-powers"
  { repeat '.*+E-1*-' 4095; printf '.*+E-1'; } >"$dir/long-e-exponents-after-signs"
  { repeat '-E-1^PI*' 4095; printf '%s' '-E-1^PI'; } >"$dir/long-negated-e-exponents"
  head -c 32767 /dev/zero >"$dir/long-nul"
  head -c 32767 /dev/zero | tr '\0' '\377' >"$dir/long-high"
}

run_target() {
  local target="$1"
  local program="$build/bin/${target//-/_}_fuzzer"
  # Absolute paths: a target may change its working folder as the program does.
  local corpus="$PWD/tests/fuzz/$target/corpus"
  local work="$PWD/$build/fuzz/$target"
  # The longest input each target takes, and the time one input may take.
  local max_len=4096 timeout=1
  case "$target" in
    expression-vs-reference) max_len=24 ;;
    number-text) max_len=128 ;;
    design-file) max_len=1024 ;;
    batch) timeout=10 ;;
  esac
  local options=(-timeout="$timeout" -rss_limit_mb=2048 -artifact_prefix="$PWD/$build/fuzz/$target-")
  if [ -f "tests/fuzz/$target.dict" ]; then
    options+=(-dict="$PWD/tests/fuzz/$target.dict")
  fi
  echo "== $target: $seconds s"
  cmake --build "$build" --target "${target//-/_}_fuzzer"
  mkdir -p "$work" "$corpus"
  "$program" "${options[@]}" -runs=0 "$corpus"
  "$program" "${options[@]}" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
    "$work" "$corpus"
  if [ "$target" = expression ]; then
    local long
    long="$(mktemp -d)"
    long_expressions "$long"
    "$program" "${options[@]}" -runs=0 "$long"/long-*
    rm -rf "$long"
  fi
  if $merge; then
    "$program" "${options[@]}" -max_len="$max_len" -merge=1 "$corpus" "$work"
    echo "Merged into $corpus; review and commit what is new there."
  fi
}

for target in "${selected[@]}"; do
  run_target "$target"
done
