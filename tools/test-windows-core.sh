#!/usr/bin/env bash
# The game's figures on Windows: cross-builds the Qt-free libraries (core, parser, rules, pages, storage) and
# their test programs with MinGW-w64 (GoogleTest from Debian's sources, built by the same compiler) and runs
# every test program under Wine, printing GoogleTest's summaries. Exits non-zero on any failure.
# Installs what it needs from Debian (as root, or as a user with sudo). Build folder: build-windows.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 googletest)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep 'install ok installed' >/dev/null ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKC_WERROR=ON -DKC_QT_FREE_ONLY=ON \
  -DKC_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
cmake --build "$build"

# A private Wine prefix, made once, without its desktop integration or dialogs.
export WINEPREFIX="${WINEPREFIX:-$PWD/$build/wine-prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
wine=$(command -v wine64 || command -v wine)
[ -d "$WINEPREFIX" ] || "$wine" wineboot --init >/dev/null 2>&1

failed=0
for program in core_tests parser_tests rules_tests pages_tests storage_tests; do
  echo "== $program.exe under Wine"
  if ! (cd "$build/bin" && timeout 900 "$wine" "./$program.exe" --gtest_brief=1); then
    failed=1
  fi
done
"$wine" wineserver -k 2>/dev/null || true
if [ "$failed" -ne 0 ]; then
  echo "Some tests failed under Wine." >&2
  exit 1
fi
echo "Every test of the five libraries passed under Wine."
