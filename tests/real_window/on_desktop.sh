#!/usr/bin/env bash
# Runs a command on a private X desktop as a player's session has one: an Xvfb screen with openbox as the
# window manager, the xcb platform, and settings, data and clipboard of its own. The screen is wide enough
# that a help window fits beside the main window.
#   tests/real_window/on_desktop.sh COMMAND [ARGUMENTS...]
set -euo pipefail
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "on_desktop.sh: $tool is missing (tools/install-deps.sh test)" >&2; exit 1; }
done

home=$(mktemp -d)
server=""
wm=""
finish() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$home"
}
trap finish EXIT

# Xvfb picks a free display itself and names it on the pipe, so parallel runs never race for one.
exec {pipe}<> <(:)
Xvfb -displayfd "$pipe" -screen 0 1920x1080x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
server=$!
read -r -t 10 -u "$pipe" number || { echo "on_desktop.sh: Xvfb did not start" >&2; cat "$home/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"

# The server takes connections a moment after it names its display.
for _ in $(seq 400); do
  xprop -root >/dev/null 2>&1 && break
  sleep 0.05
done

# The window manager is ready once it announces what it supports; the tests activate windows through it. On a
# busy machine it may fail to start: it gets three tries.
ready=""
for _ in 1 2 3; do
  openbox --sm-disable >"$home/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 600); do
    if xprop -root _NET_SUPPORTED 2>/dev/null | grep _NET_ACTIVE_WINDOW >/dev/null; then ready=1; break; fi
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$ready" ] && break
  kill "$wm" 2>/dev/null || true
done
[ -n "$ready" ] || { echo "on_desktop.sh: openbox did not start" >&2; cat "$home/openbox.log" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
export KC_TEST_DESKTOP="$DISPLAY"
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
set +e
"$@"
status=$?
exit $status
