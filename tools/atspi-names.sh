#!/usr/bin/env bash
# What a screen reader hears: runs the program on a private desktop with the accessibility bus, chooses each
# named page through the selector and lists, through AT-SPI, every input's role and name. Exits 1 when an
# input of a page has no name or shares one with another input of that page.
#   tools/atspi-names.sh [--build DIR] ["Page caption" ...]     (default: every page)
# Needs dbus, at-spi2-core and python3-pyatspi besides the real-window test tools.
set -euo pipefail
build="build"
if [ "${1:-}" = "--build" ]; then build="$2"; shift 2; fi
program="$(realpath "$build/bin/korvathcalc")"
here="$(cd "$(dirname "$0")" && pwd)"
exec "$here/../tests/real_window/on_desktop.sh" dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >/dev/null 2>&1 &
  program=$!
  trap "kill $program 2>/dev/null" EXIT
  window=$(xdotool search --sync --name "^Korvath! Calculator$" | tail -1)
  xdotool windowactivate --sync "$window"
  shift
  /usr/bin/python3 - "$@" <<"PYTHON"
import subprocess, sys, time
import pyatspi

INPUT_ROLES = {"spin button", "combo box", "text", "check box", "radio button", "push button", "toggle button", "list"}

def application():
    for _ in range(50):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and "korvath" in (app.name or "").lower():
                return app
        time.sleep(0.2)
    sys.exit("atspi-names.sh: the program did not appear on the accessibility bus")

def find(node, test):
    found = []
    def walk(n):
        try:
            if test(n):
                found.append(n)
            for i in range(n.childCount):
                walk(n.getChildAtIndex(i))
        except Exception:
            pass
    walk(node)
    return found

def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)

app = application()
selector = find(app, lambda n: n.getRoleName() == "combo box" and n.name == "Page")[0]
captions = [selector.getChildAtIndex(0).getChildAtIndex(i).name for i in range(selector.getChildAtIndex(0).childCount)]
wanted = sys.argv[1:] or captions
geometry = subprocess.run(["xdotool", "getactivewindow", "getwindowgeometry", "--shell"], capture_output=True, text=True).stdout
position = dict(line.split("=") for line in geometry.split())
failed = False
for caption in wanted:
    row = captions.index(caption)
    subprocess.run(["xdotool", "mousemove", str(int(position["X"]) + 220), str(int(position["Y"]) + 13)], check=True)
    time.sleep(0.4)
    subprocess.run(["xdotool", "key", "--delay", "20", "Home"] + ["Down"] * row + ["Return"], check=True)
    time.sleep(0.6)
    subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
    inputs = find(app, lambda n: n.getRoleName() in INPUT_ROLES and showing(n))
    print("== %s" % caption)
    seen = {}
    for node in inputs:
        name, role = node.name or "", node.getRoleName()
        parent = node.parent
        part_of = parent is not None and parent.getRoleName() in ("combo box", "spin button")
        problem = ""
        if not name:
            problem = "  <-- no name"
        elif not part_of and name in seen and seen[name] is not parent:
            problem = "  <-- name also used by another input"
        if not part_of:
            seen.setdefault(name, parent)
        failed = failed or bool(problem)
        print("  %-13s %s%s" % (role, name, problem))
sys.exit(1 if failed else 0)
PYTHON
' _ "$program" "$@"
