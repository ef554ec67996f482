#!/usr/bin/env bash
# What a window manager changes, with openbox and a tray host on a virtual 1920x1080 screen:
# the wizard's title-bar close box on a first run ends the program without writing anything,
# and a drag of the icon window, which stands outside the window manager and moves itself,
# sticks and is stored.
# Usage: window_manager_e2e.sh PROGRAM CLI SERVICE SCREENSHOT
set -euo pipefail
PROGRAM="$1" CLI="$2" SERVICE="$3" SCREENSHOT="$4"
source "$(dirname "$0")/harness.sh"

export XDG_CONFIG_HOME="$work/config" GALEWARDEN_HOME="$work/home"
mkdir -p "$GALEWARDEN_HOME"
serve_stand_in
start_program() {
    "$PROGRAM" >"$work/program.log" 2>&1 &
    program=$!
    pids=("$program" "${pids[@]}")
}
start_virtual_screen 1920x1080
pids+=("$TRAY_HOST_PID" "$XVFB_PID")
start_window_manager

# parent_of WINDOW: the window the window manager put it in, its frame.
parent_of() { xwininfo -children -id "$1" | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p'; }

# A first run left by the close box.
start_program
wizard() { xdotool search --onlyvisible --name '快速设置向导' 2>/dev/null | head -n 1; }
wait_for '[ -n "$(wizard)" ]' 20 || fail "the setup wizard did not open"
read -r x y w _ < <(window_geometry "$(parent_of "$(wizard)")")
# openbox's close button is the last of the title bar.
xdotool mousemove --sync $((x + w - 11)) $((y + 9)) click 1
wait_for '! kill -0 "$program" 2>/dev/null' 5 || fail "the program runs on after the close box"
wait "$program" || fail "the program ended with status $?"
[ ! -e "$GALEWARDEN_HOME/Galewarden.ini" ] || fail "the abandoned first run wrote its settings"

# A drag under the window manager. MouseOver off: the pointer on its way to the icon
# must not send it away.
"$CLI" config set General AutoRun 0 >/dev/null
"$CLI" config set General MouseOver 0 >/dev/null
start_program
wait_for 'has_window "$program" 100x82+1740+60' 20 ||
    fail "no icon window at 1740,60: $(program_windows "$program" | tr '\n' ' ')"
# Below the start's balloon, which covers the icon's top.
xdotool mousemove --sync 1790 130
sleep 0.3
xdotool mousedown 1
for step in $(seq 1 20); do
    xdotool mousemove $((1790 - step * 20)) $((130 + step * 10))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
# Longer than the once-a-second settings pass that pulled the icon back.
sleep 2.5
# Where the pointer took hold depends on the window manager; what counts is that the icon is
# far from where it was and that its place is the one stored.
icon="$(program_windows "$program" | grep '^100x82+' | head -n 1)"
read -r left top < <(echo "$icon" | sed 's/^100x82+\([0-9]*\)+\([0-9]*\)$/\1 \2/')
[ -n "$top" ] && [ "$left" -lt 1500 ] && [ "$top" -gt 200 ] ||
    fail "the icon did not stay where it was dropped: $(program_windows "$program" | tr '\n' ' ')"
[ "$("$CLI" config get General Top)" = "$top" ] &&
    [ "$("$CLI" config get General Right)" = $((1920 - left - 100)) ] ||
    fail "the place at $icon is not stored: $(grep -E '^(Top|Right)=' "$GALEWARDEN_HOME/Galewarden.ini")"

# An application's window opened over the icon does not hide it: the window manager leaves the
# icon above, or the icon raises itself.
hex() { printf '0x%x' "$1"; }
icon_window=""
for window in $(xdotool search --all --onlyvisible --pid "$program" 2>/dev/null); do
    [ "$(window_geometry "$window" | cut -d' ' -f3-)" = "100 82" ] && icon_window="$(hex "$window")"
done
[ -n "$icon_window" ] || fail "no icon window to cover"
xmessage -geometry "300x200+$((left - 50))+$((top - 50))" "over the icon" 2>/dev/null &
pids+=("$!")
# xmessage names no process on its window; its class finds it.
cover() { xdotool search --onlyvisible --class Xmessage 2>/dev/null | head -n 1; }
wait_for '[ -n "$(cover)" ]' 10 || fail "the covering window did not open"
cover_frame="$(parent_of "$(cover)")"
# The first of the two in the root's children, listed from the top.
topmost_of() { xwininfo -root -children | grep -o -m 1 -E "^ *($1|$2) " | tr -d ' '; }
wait_for '[ "$(topmost_of "$icon_window" "$cover_frame")" = "$icon_window" ]' 5 ||
    fail "the icon stayed below an application's window: $(xwininfo -root -children | head -n 8)"

import -window root "$SCREENSHOT"
echo "window manager end to end: passed"
