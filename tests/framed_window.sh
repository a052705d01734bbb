#!/bin/sh
# The real window under a window manager: maximised over the work area, its
# frame and title bar lie on the screen, and so does everything inside.
# Skipped (77) where there is no virtual X server or window manager.
set -u
program=$1
. "$(dirname "$0")/support/xserver.sh"
need_tools openbox xdotool xprop xwininfo
start_x 1024x768
openbox >/dev/null 2>&1 &
pids="$! $pids"
sleep 1
# A first start, whoever runs the test: the welcome page, no learner to greet.
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$program" >/dev/null 2>&1 &
pids="$! $pids"

find_window || { echo "the window never showed"; exit 1; }
sleep 1 # let the window manager settle the frame

geometry() { xwininfo -id "$window" | sed -n "s/^ *$1: *//p"; }
x=$(geometry "Absolute upper-left X")
y=$(geometry "Absolute upper-left Y")
w=$(geometry "Width")
h=$(geometry "Height")
extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,//g')
set -- $extents
left=${1:-0} right=${2:-0} top=${3:-0} bottom=${4:-0}
echo "inside ${w}x${h}+${x}+${y}, frame $left $right $top $bottom"
fail=0
[ $((x - left)) -ge 0 ] || { echo "the frame starts left of the screen"; fail=1; }
[ $((y - top)) -ge 0 ] || { echo "the title bar is above the screen"; fail=1; }
[ $((x + w + right)) -le 1024 ] || { echo "the frame ends right of the screen"; fail=1; }
[ $((y + h + bottom)) -le 768 ] || { echo "the bottom is below the screen"; fail=1; }
[ "$w" -ge 900 ] && [ "$h" -ge 650 ] || { echo "the window does not fill the screen"; fail=1; }
exit $fail
