#!/usr/bin/env bash
# A screenshot of one page in a real window with a real frame, for looking at a layout:
#   tools/screenshot.sh OUT.png "Page caption" [--large-fonts] [--scale F] [--build DIR] [--type TEXT] [--dark]
#                       [--down N]
# --down N presses Down N times after typing the caption, for a page whose caption shares its first word with
# an earlier one (the list's type-ahead takes a space as a choice): "Planet" --down 1 is "Planet Value".
# --dark runs the program with a dark Fusion palette.
# --type types TEXT into the page after choosing it ("\n" in TEXT presses Enter); --click X,Y first clicks
# at that point of the window (e.g. into the box to type in).
# Runs the program under its own Xvfb with openbox, with settings in a temporary folder, chooses the page in the
# selector as a user would (the pointer drops the list, the caption is typed, Enter) and grabs the window's frame.
# Needs xvfb, openbox, xdotool and imagemagick.
set -euo pipefail
out="$1"; caption="$2"; shift 2
build="build"; large=0; scale=""; typed=""; click=""; down=0
while [ $# -gt 0 ]; do
  case "$1" in
    --large-fonts) large=1 ;;
    --scale) scale="$2"; shift ;;
    --build) build="$2"; shift ;;
    --type) typed="$2"; shift ;;
    --click) click="$2"; shift ;;
    --down) down="$2"; shift ;;
    --dark) export KC_DEV_DARK_PALETTE=1 ;;
    *) echo "screenshot.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
if [ "$large" = 1 ]; then
  mkdir -p "$config/Tarvellin"
  printf '[General]\nautodrop=1\nlargefont=1\n' >"$config/Tarvellin/kc 3.0.conf"
fi
export XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb
[ -n "$scale" ] && export QT_SCALE_FACTOR="$scale"
program="$(cd "$(dirname "$build/bin/korvathcalc")" && pwd)/korvathcalc"
out="$(realpath -m "$out")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -e
  openbox >/dev/null 2>&1 & sleep 1
  "$0" >/dev/null 2>&1 & sleep 2
  window=$(xdotool search --sync --name "^Korvath! Calculator$" | tail -1)
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  eval "$(xdotool getwindowgeometry --shell "$window")"
  if [ -n "$2" ]; then
    xdotool mousemove $((X + 220)) $((Y + 13)); sleep 0.5
    xdotool type --delay 30 "$2"
    [ "$5" -gt 0 ] && { sleep 0.5; xdotool key --delay 100 --repeat "$5" Down; }
    xdotool key Return; sleep 1
  fi
  if [ -n "$4" ]; then
    xdotool mousemove $((X + ${4%,*})) $((Y + ${4#*,})) click 1; sleep 0.3
  fi
  if [ -n "$3" ]; then
    printf "%b" "$3" | while IFS= read -r line || [ -n "$line" ]; do
      [ -n "$line" ] && xdotool type --delay 20 "$line"
      xdotool key Return; sleep 0.3
    done
    sleep 0.5
  fi
  xdotool mousemove 1000 700; sleep 0.3
  frame=$(xdotool getactivewindow)
  import -window "$frame" -frame "$1" 2>/dev/null || import -window root "$1"
' "$program" "$out" "$caption" "$typed" "$click" "$down"
echo "$out ($(identify -format "%wx%h" "$out") with the frame)"
