#!/bin/sh
# A key held down on a real X server goes on once: the X server repeats it
# as release and press pairs. Holding Space must leave the message box as
# one tap does, and the next tap must go on by one line from there.
# Skipped (77) where there is no virtual X server.
set -u
program=$1
. "$(dirname "$0")/support/xserver.sh"
need_tools xdotool import compare
start_x 1280x1024

# Starts the program, gives it the keyboard, and runs "$@" as the learner.
sitting() {
    # Each sitting a first start: a returning learner is greeted first.
    QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data/$1" XDG_CONFIG_HOME="$work/config" "$program" >"$work/program.log" 2>&1 &
    pid=$!
    find_window || { echo "the window never showed"; cat "$work/program.log"; kill $pid; exit 1; }
    xdotool mousemove 300 600 windowfocus "$window" 2>/dev/null
    sleep 1
    "$@"
    kill $pid
    wait $pid 2>/dev/null
}
# The message box: what the learner has read so far.
shot() { sleep 1; import -window root -crop 640x960+0+60 "$work/$1.png"; }
held() { xdotool keydown space; sleep 1.5; xdotool keyup space; shot held; xdotool key space; shot held_then_tap; }
tapped() { xdotool key space; shot tap; xdotool key space; shot two_taps; }

sitting held
sitting tapped
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = 0 ]; }
fail=0
same held tap || { echo "a held Space went on more than once"; fail=1; }
same held_then_tap two_taps || { echo "the tap after a held Space did not go on by one line"; fail=1; }
same tap two_taps && { echo "a tap did not go on"; fail=1; }
exit $fail
