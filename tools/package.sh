#!/usr/bin/env bash
# Builds the Debian package from a Release build (build-release/korvathcalc_*.deb) and checks it and the
# desktop metadata with lintian, desktop-file-validate and appstreamcli. The package is reproducible (two
# clones of one commit give the same .deb: times come from the last commit, paths are mapped away) and built
# with Debian's hardening flags.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh package
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct)"
export SOURCE_DATE_EPOCH QT_RCC_SOURCE_DATE_OVERRIDE="$SOURCE_DATE_EPOCH"
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
# Run from the source folder, dpkg-buildflags maps that folder's path away (-ffile-prefix-map).
eval "$(dpkg-buildflags --export=sh)"
cmake --preset release \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
  -DCMAKE_STRIP="$(pwd)/packaging/strip.sh" >/dev/null
cmake --build --preset release
rm -f build-release/korvathcalc_*.deb
(cd build-release && cpack -G DEB >/dev/null)
package="$(ls build-release/korvathcalc_*.deb)"
echo "Built $package"
desktop-file-validate data/net.tarvellin.KorvathCalc.desktop
appstreamcli validate --no-net --pedantic build-release/data/net.tarvellin.KorvathCalc.metainfo.xml
# Errors fail the build; the warnings left are explained in packaging/lintian-notes.md.
lintian --fail-on error --info "$package"
