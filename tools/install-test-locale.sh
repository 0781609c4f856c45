#!/usr/bin/env bash
# The conversion tests check a decimal-comma locale; make de_DE.UTF-8 available when we may.
set -euo pipefail
locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && exit 0
[ "$(id -u)" -eq 0 ] || exit 1
if ! command -v locale-gen >/dev/null; then
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends locales
fi
sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
locale-gen >/dev/null
