# Sourced by the checks that drive the real window.
# need_tools TOOL...: skips the check (77) unless Xvfb and each TOOL is here.
# start_x SIZE: a scratch folder `$work`, a virtual X server of SIZE
# (WIDTHxHEIGHT) with its DISPLAY exported, and `$pids`, what to stop on exit.
# find_window: see below.
need_tools() {
    for tool in Xvfb "$@"; do
        command -v "$tool" >/dev/null 2>&1 || exit 77
    done
}

cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}

start_x() {
    work=$(mktemp -d)
    pids=
    trap cleanup EXIT
    Xvfb -displayfd 3 -screen 0 "${1}x24" 3>"$work/display" >/dev/null 2>&1 &
    pids="$!"
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "no X server"; exit 1; }
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
}

# find_window: sets `window` to the tutor's window once it shows (10 s at
# most); false if it never does.
find_window() {
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Quorrel$' 2>/dev/null | head -1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
}
