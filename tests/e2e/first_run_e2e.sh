#!/usr/bin/env bash
# A new user's first start on a virtual 1920x1080 screen with a tray host: the setup wizard
# opens, is driven to its finish with its defaults (the national warning map, here the stand-in
# service's answer of that shape), and the icon window and the tray icon appear with the feed's
# warnings. Checked from outside the process. Usage: first_run_e2e.sh PROGRAM SERVICE SCREENSHOT
set -euo pipefail
PROGRAM="$1" SERVICE="$2" SCREENSHOT="$3"
source "$(dirname "$0")/../../scripts/lib/desktop.sh"

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
    [ -f "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    import -window root "$SCREENSHOT" 2>/dev/null || true
    exit 1
}

export XDG_CONFIG_HOME="$work/config" GALEWARDEN_HOME="$work/home"
mkdir -p "$GALEWARDEN_HOME"
start_service "$SERVICE" "$work/service.log"
pids+=("$SERVICE_PID")
start_virtual_screen 1920x1080
pids+=("$TRAY_HOST_PID" "$XVFB_PID")
"$PROGRAM" >"$work/program.log" 2>&1 &
program=$!
pids=("$program" "${pids[@]}")

wizard() { xdotool search --onlyvisible --name '快速设置向导' 2>/dev/null | head -n 1; }
wait_for '[ -n "$(wizard)" ]' 20 || fail "the setup wizard did not open"
[ ! -f "$GALEWARDEN_HOME/Galewarden.ini" ] || fail "the first start wrote before the wizard's finish"
# Through the pages with their accelerators: 开始, five times 下一步, 完成.
xdotool windowactivate --sync "$(wizard)" 2>/dev/null || xdotool windowfocus --sync "$(wizard)"
for key in alt+s alt+n alt+n alt+n alt+n alt+d; do
    xdotool key --delay 150 "$key"
    sleep 0.3
done
wait_for '[ -z "$(wizard)" ]' 10 || fail "the wizard did not finish"
grep -q 'Host="http://127.0.0.1' "$GALEWARDEN_HOME/Galewarden.ini" ||
    fail "the national warning map was not chosen: $(cat "$GALEWARDEN_HOME/Galewarden.ini")"
wait_for 'grep -q "GET /api/map/alarm" "$work/service.log"' 20 || fail "the feed was never asked"

icon_geometry() {
    local window
    for window in $(xdotool search --all --onlyvisible --pid "$program" 2>/dev/null); do
        xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
            /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
    done
}
wait_for '[[ " $(icon_geometry | tr "\n" " ") " == *" 100x82+1740+60 "* ]]' 20 ||
    fail "no icon window with the feed's warnings: $(icon_geometry | tr '\n' ' ')"
docked() {
    local host
    for host in $(xdotool search --all --pid "$TRAY_HOST_PID" 2>/dev/null); do
        [[ "$(xwininfo -tree -id "$host")" == *'("galewarden" "galewarden")'* ]] && return 0
    done
    return 1
}
wait_for docked 10 || fail "the tray icon is not docked"
sleep 1
import -window root "$SCREENSHOT"
echo "first run end to end: passed"
