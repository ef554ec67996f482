#!/usr/bin/env bash
# A new user's first start on a virtual 1920x1080 screen with a tray host: the setup wizard
# opens, is driven to its finish with its defaults (the national warning map, here the stand-in
# service's answer of that shape), and the icon window and the tray icon appear with the feed's
# warnings, whose details open from the tray icon. Checked from outside the process.
# Usage: first_run_e2e.sh PROGRAM CLI SERVICE SCREENSHOT (the wizard needs no CLI)
set -euo pipefail
PROGRAM="$1" SERVICE="$3" SCREENSHOT="$4"
source "$(dirname "$0")/harness.sh"

export XDG_CONFIG_HOME="$work/config" GALEWARDEN_HOME="$work/home"
mkdir -p "$GALEWARDEN_HOME"
serve_stand_in
start_program_on_screen

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

wait_for 'has_window "$program" 100x82+1740+60' 20 ||
    fail "no icon window with the feed's warnings: $(program_windows "$program" | tr '\n' ' ')"
wait_for '[ -n "$(docked_tray_icon)" ]' 30 || fail "the tray icon is not docked"
# A click on the tray icon opens the details of the feed's warnings.
read -r x y w h < <(window_geometry "$(docked_tray_icon)")
xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
details() { xdotool search --onlyvisible --name '^预警信息$' 2>/dev/null | head -n 1; }
wait_for '[ -n "$(details)" ]' 10 || fail "the details window did not open"
sleep 1
import -window root "$SCREENSHOT"
echo "first run end to end: passed"
