#!/usr/bin/env bash
# Sets everything up, builds and runs every test off-screen.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/install-test-locale.sh || echo "No German locale: the decimal-comma tests will be skipped."
cmake --preset default
cmake --build --preset default
ctest --preset default -j "$(nproc)"
