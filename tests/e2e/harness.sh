# Sourced by the end-to-end scripts once SCREENSHOT is set: a scratch directory $work removed at
# exit together with every process listed in pids, and fail(), which shows the program's log
# and keeps a picture of the screen as it was.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/desktop.sh"

work="$(mktemp -d)"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    # What the screen holds, for a failure that shows only now and then.
    xwininfo -root -tree 2>/dev/null | grep -E '^ +0x' | grep -v '(has no name)' | head -n 40 |
        sed 's/^/window: /' >&2 || true
    [ -f "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    import -window root "$SCREENSHOT" 2>/dev/null || true
    exit 1
}

# start_window_manager: openbox on this test's screen, stopped at exit. Once in a long while
# under load an openbox started right after another test's desktop never came up; it is
# started once more, and its own words are kept for the failure.
start_window_manager() {
    local attempt
    for attempt in 1 2; do
        openbox --sm-disable >"$work/openbox-$attempt.log" 2>&1 &
        pids=("$!" "${pids[@]}")
        wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 15 &&
            return 0
        kill "${pids[0]}" 2>/dev/null || true
    done
    kill -0 "$XVFB_PID" 2>/dev/null || echo "the X server $DISPLAY is gone" >&2
    fail "openbox did not start: $(cat "$work"/openbox-*.log)"
}

# programs_of_this_home: the process ids of $PROGRAM running on this test's GALEWARDEN_HOME;
# other tests may run the same executable at the same time.
programs_of_this_home() {
    local pid
    for pid in $(pgrep -f "^$PROGRAM" || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "GALEWARDEN_HOME=$GALEWARDEN_HOME" &&
            echo "$pid"
    done
}

# serve_stand_in: the stand-in service of $SERVICE, stopped at exit.
serve_stand_in() {
    start_service "$SERVICE" "$work/service.log"
    pids+=("$SERVICE_PID")
}

# start_program_on_screen: $PROGRAM on a virtual 1920x1080 screen with a tray host, all stopped
# at exit, the program first. Sets program to its process id.
start_program_on_screen() {
    start_virtual_screen 1920x1080
    pids+=("$TRAY_HOST_PID" "$XVFB_PID")
    "$PROGRAM" >"$work/program.log" 2>&1 &
    program=$!
    pids=("$program" "${pids[@]}")
}
