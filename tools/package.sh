#!/usr/bin/env bash
# Builds the Debian package from a Release build (build-release/korvathcalc_*.deb) and checks it and the
# desktop metadata with lintian, desktop-file-validate and appstreamcli.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh package
cmake --preset release >/dev/null
cmake --build --preset release
rm -f build-release/korvathcalc_*.deb
(cd build-release && cpack -G DEB >/dev/null)
package="$(ls build-release/korvathcalc_*.deb)"
echo "Built $package"
desktop-file-validate data/net.tarvellin.KorvathCalc.desktop
appstreamcli validate --no-net --pedantic build-release/data/net.tarvellin.KorvathCalc.metainfo.xml
# Errors fail the build; the warnings left are explained in packaging/lintian-notes.md.
lintian --fail-on error --info "$package"
