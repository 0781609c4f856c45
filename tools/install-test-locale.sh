#!/usr/bin/env bash
# The conversion tests check a decimal-comma locale; make de_DE.UTF-8 available (as root, or with sudo).
set -euo pipefail
locale -a 2>/dev/null | grep -i '^de_DE\.utf-\?8$' >/dev/null && exit 0
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then sudo "$@"; else return 1; fi
}
as_root true || exit 1
if ! command -v locale-gen >/dev/null; then
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends locales
fi
as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
as_root locale-gen >/dev/null
