#!/usr/bin/env bash
# Installs, only when something is missing, what a purpose needs on Debian 12 or 13 (as root, or as a user
# with sudo):
#   tools/install-deps.sh build     building and running the program (tools/run.sh)
#   tools/install-deps.sh test      that, plus tests (a private X desktop for the real-window ones), the
#                                   fuzz targets and the benchmarks (tools/test.sh)
#   tools/install-deps.sh package   that, plus the Debian packaging tools and validators (tools/package.sh)
# A name written "a|b" is whichever of the two this release's apt knows (Debian 13 renamed some packages).
set -euo pipefail
purpose="${1:-build}"

build=(
  cmake ninja-build g++ pkg-config gzip
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  libqt6help6 libqt6sql6-sqlite qt6-qpa-plugins libgl-dev fonts-dejavu-core
)
test=(
  libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
  clang "libclang-rt-dev|libclang-rt-14-dev" locales
  xvfb openbox xdotool x11-utils xclip clang-format libmpfr-dev
)
package=(dpkg-dev file lintian appstream desktop-file-utils)

case "$purpose" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${test[@]}") ;;
  package) wanted=("${build[@]}" "${test[@]}" "${package[@]}") ;;
  *) echo "install-deps.sh: unknown purpose '$purpose' (build, test or package)" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# grep reads all its input (no -q): under pipefail, a writer cut off by an early exit would fail the test.
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep 'install ok installed' >/dev/null
}

known() {
  apt-cache policy "$1" 2>/dev/null | grep 'Candidate: [^(]' >/dev/null
}

missing=()
for entry in "${wanted[@]}"; do
  IFS='|' read -r -a choices <<<"$entry"
  found=""
  for choice in "${choices[@]}"; do
    if installed "$choice"; then found="$choice"; break; fi
  done
  [ -z "$found" ] && missing+=("$entry")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root apt-get update -q
to_install=()
for entry in "${missing[@]}"; do
  IFS='|' read -r -a choices <<<"$entry"
  pick=""
  for choice in "${choices[@]}"; do
    if known "$choice"; then pick="$choice"; break; fi
  done
  if [ -z "$pick" ]; then
    echo "install-deps.sh: apt knows none of: ${choices[*]}" >&2
    exit 1
  fi
  to_install+=("$pick")
done
echo "Installing: ${to_install[*]}"
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${to_install[@]}"
