#!/usr/bin/env bash
# Sets everything up, builds and runs every test off-screen; the expression fuzzer's short run comes first so that
# the output ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test
tools/install-test-locale.sh || echo "No German locale: the decimal-comma tests will be skipped."
tools/fuzz.sh expression
cmake --preset default
cmake --build --preset default
ctest --preset default -j "$(nproc)"
