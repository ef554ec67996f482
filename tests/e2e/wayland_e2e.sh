#!/usr/bin/env bash
# A Wayland session as GNOME and KDE give one: weston (headless, drawn by the CPU) with Xwayland
# and Qt's Wayland platform installed. The program must choose Xwayland and its icon window must
# stand at its configured place however weston's X window manager places windows.
# Usage: wayland_e2e.sh PROGRAM CLI SERVICE SCREENSHOT
set -euo pipefail
PROGRAM="$1" CLI="$2" SERVICE="$3" SCREENSHOT="$4"
source "$(dirname "$0")/harness.sh"

export XDG_CONFIG_HOME="$work/config" GALEWARDEN_HOME="$work/home"
export XDG_RUNTIME_DIR="$work/runtime" XDG_SESSION_TYPE=wayland
mkdir -p "$GALEWARDEN_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

weston --backend=headless-backend.so --use-pixman --xwayland --socket=wayland-galewarden \
    --width=1920 --height=1080 --idle-time=0 --debug >"$work/weston.log" 2>&1 &
pids+=("$!")
export WAYLAND_DISPLAY=wayland-galewarden
wait_for 'grep -q "xserver listening on display" "$work/weston.log"' 20 ||
    fail "weston did not start: $(cat "$work/weston.log")"
export DISPLAY="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")"

# weston-screenshooter writes into the directory it runs in.
wayland_screenshot() {
    (cd "$work" && rm -f wayland-screenshot-*.png && timeout 10 weston-screenshooter &&
        mv wayland-screenshot-*.png "$SCREENSHOT") >/dev/null 2>&1 || true
}
fail_here() {
    wayland_screenshot
    sed 's/^/weston: /' "$work/weston.log" | tail -n 20 >&2
    fail "$@"
}

"$CLI" config set General AutoRun 0 >/dev/null
"$CLI" config set CheckNew AutoCheck 0 >/dev/null
# Away from the corner weston would choose, so that only our own placing can put it there.
"$CLI" config set General Top 240 >/dev/null
"$CLI" config set General Right 300 >/dev/null
serve_stand_in
"$PROGRAM" >"$work/program.log" 2>&1 &
program=$!
pids=("$program" "${pids[@]}")

# Seen from the X server: the program is one of its clients only if it chose Xwayland.
wait_for 'has_window "$program" 100x82+1520+240' 30 ||
    fail_here "no icon window at 1520,240 on Xwayland: $(program_windows "$program" | tr '\n' ' ')"
if grep -q "does not support setting window opacity" "$work/program.log"; then
    fail_here "the program runs on Wayland's own platform"
fi
# weston's window manager gets a second chance to move it, then the settings pass a second.
sleep 2.5
has_window "$program" 100x82+1520+240 ||
    fail_here "the icon window left its place: $(program_windows "$program" | tr '\n' ' ')"
wayland_screenshot
echo "wayland end to end: passed"
