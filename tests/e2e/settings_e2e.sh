#!/usr/bin/env bash
# A setting changed in the settings window reaches the running program at once: on a virtual
# 1920x1080 screen with a tray host, the settings are opened from the tray menu, the icon's width
# is set to 200 and saved, and the icon window is 200 wide a moment later. Checked from outside
# the process. Usage: settings_e2e.sh PROGRAM CLI SERVICE SCREENSHOT
set -euo pipefail
PROGRAM="$1" CLI="$2" SERVICE="$3" SCREENSHOT="$4"
source "$(dirname "$0")/harness.sh"

export XDG_CONFIG_HOME="$work/config" GALEWARDEN_HOME="$work/home"
mkdir -p "$GALEWARDEN_HOME"
"$CLI" config set General AutoRun 0 >/dev/null
"$CLI" config set CheckNew AutoCheck 0 >/dev/null
serve_stand_in
start_program_on_screen

wait_for 'has_window "$program" 100x82+1740+60' 20 ||
    fail "no icon window: $(program_windows "$program" | tr '\n' ' ')"

# The tray icon's menu, then its "&S.设置".
wait_for '[ -n "$(docked_tray_icon)" ]' 30 || fail "the tray icon is not docked"
read -r x y w h < <(window_geometry "$(docked_tray_icon)")
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
sleep 0.5
xdotool key s
settings() { xdotool search --onlyvisible --name '^设置$' 2>/dev/null | head -n 1; }
wait_for '[ -n "$(settings)" ]' 10 || fail "the settings window did not open"

# The width through its accelerator, then "保存" at the right of the bottom row.
window="$(settings)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 100 alt+w ctrl+a
xdotool type --delay 50 200
read -r x y w h < <(window_geometry "$window")
xdotool mousemove $((x + w - 40)) $((y + h - 16)) click 1
sleep 0.5
xdotool key --delay 200 alt+y Return
wait_for 'has_window "$program" 200x82+1640+60' 10 ||
    fail "the icon did not take the new width: $(program_windows "$program" | tr '\n' ' ')"
[ "$("$CLI" config get General Width)" = "200" ] || fail "the width was not saved"
import -window root "$SCREENSHOT"

# A stop while a modal question is open: the program ends in order within two seconds, exit
# status 0, without an error report and without starting again.
report="$PROGRAM""_BugReport.txt"
rm -f "$report"
xdotool key --delay 100 alt+w ctrl+a
xdotool type --delay 50 150
xdotool mousemove $((x + w - 40)) $((y + h - 16)) click 1
sleep 1
kill -TERM "$program"
wait_for '! kill -0 "$program" 2>/dev/null' 2 || fail "the program did not end within 2 s of SIGTERM"
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ ! -e "$report" ] || fail "an error report was written: $(cat "$report")"
sleep 1
[ -z "$(programs_of_this_home)" ] || fail "the program started again"
echo "settings end to end: passed"
