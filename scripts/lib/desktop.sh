# Shared by scripts/run and the end-to-end test: the stand-in service, a virtual screen with a
# tray host, and waiting for what the program leaves behind. Callers set `set -euo pipefail`.

# start_service SERVICE_BINARY LOG [ARGS...]: starts the stand-in service on a free port and
# exports the variables that point the program at it, the presets of the public feeds included.
# Sets SERVICE_PID and SERVICE_BASE.
start_service() {
    local binary="$1" log="$2"
    shift 2
    "$binary" --port 0 "$@" >"$log" 2>&1 &
    SERVICE_PID=$!
    local _
    for _ in $(seq 100); do
        grep -q '^listening on ' "$log" 2>/dev/null && break
        sleep 0.1
    done
    SERVICE_BASE="$(sed -n 's/^listening on //p' "$log" | head -n 1)"
    [ -n "$SERVICE_BASE" ] || { echo "the stand-in alert service did not start" >&2; return 1; }
    export GALEWARDEN_ALERT_SERVICE="$SERVICE_BASE" GALEWARDEN_WEB_HOST="$SERVICE_BASE" \
        GALEWARDEN_FEED_HOST="$SERVICE_BASE"
}

# start_virtual_screen WIDTHxHEIGHT [no-tray]: Xvfb on a free display with a tray host docked at
# the top, as on a desktop, unless no-tray is given. Sets DISPLAY, XVFB_PID and TRAY_HOST_PID.
start_virtual_screen() {
    local size="$1" tray="${2:-tray}" numbered _
    # Xvfb picks a free display itself and names it once it accepts clients: screens started
    # side by side (tests in parallel) never take the same number.
    numbered="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numbered" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$numbered" ] && break
        sleep 0.1
    done
    [ -s "$numbered" ] || { rm -f "$numbered"; echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n 1 "$numbered")"
    rm -f "$numbered"
    TRAY_HOST_PID=""
    [ "$tray" = no-tray ] && return 0
    start_tray_host
}

# start_tray_host: trayer's panel on the screen before any program starts, which looks for the
# tray once, when it starts monitoring. Once under load a panel never came up: it is started
# once more.
start_tray_host() {
    local attempt
    for attempt in 1 2; do
        trayer --edge top --align right --widthtype request --height 32 --transparent false \
            --tint 0x404040 >/dev/null 2>&1 &
        TRAY_HOST_PID=$!
        wait_for '[ -n "$(xdotool search --all --pid "$TRAY_HOST_PID" 2>/dev/null)" ]' 10 &&
            return 0
        kill "$TRAY_HOST_PID" 2>/dev/null || true
    done
    echo "the tray host did not start" >&2
    return 1
}

# wait_for CONDITION SECONDS: polls a shell condition until it holds or time runs out.
wait_for() {
    local condition="$1" seconds="$2" _
    for _ in $(seq $((seconds * 10))); do
        eval "$condition" && return 0
        sleep 0.1
    done
    return 1
}

# window_geometry WINDOW: "X Y WIDTH HEIGHT" of a window on the screen.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# docked_tray_icon: the program's tray icon window inside the tray host's panel, if docked.
docked_tray_icon() {
    local host
    for host in $(xdotool search --all --pid "$TRAY_HOST_PID" 2>/dev/null); do
        xwininfo -tree -id "$host" | sed -n 's/^ *\(0x[0-9a-f]*\) "Galewarden".*/\1/p' | head -n 1
    done | head -n 1
}

# program_windows PID: "WIDTHxHEIGHT+X+Y" of each visible window of a process, one a line.
program_windows() {
    local window x y w h
    for window in $(xdotool search --all --onlyvisible --pid "$1" 2>/dev/null); do
        read -r x y w h < <(window_geometry "$window")
        echo "${w}x${h}+${x}+${y}"
    done
}

# has_window PID GEOMETRY: whether the process shows a window of that "WIDTHxHEIGHT+X+Y".
has_window() {
    [[ " $(program_windows "$1" | tr '\n' ' ') " == *" $2 "* ]]
}
