#!/usr/bin/env bash
# A StatusNotifierItem desktop (KDE Plasma, GNOME with AppIndicator, Xfce …) on a private session
# bus: no XEmbed tray, a watcher with a host and a notification server of the test's own that
# record what the program offers. Checks the item (title, tooltip, icon, menu), its Activate, the
# notice (name, desktop entry, urgency, picture, action) and a click on the notice.
# Usage: status_notifier_e2e.sh PROGRAM CLI SERVICE SCREENSHOT
set -euo pipefail
PROGRAM="$1" CLI="$2" SERVICE="$3" SCREENSHOT="$4"
source "$(dirname "$0")/harness.sh"
# The system's python3, which python3-dbus and python3-gi belong to.
BUS_HELPER=(/usr/bin/python3 "$(dirname "$0")/desktop_bus.py")

export XDG_CONFIG_HOME="$work/config" GALEWARDEN_HOME="$work/home"
mkdir -p "$GALEWARDEN_HOME"

# A bus of its own with nothing to start on demand: only the test's services answer.
dbus-daemon --config-file="$(dirname "$0")/../support/session-bus.conf" --nofork \
    --print-address=3 3>"$work/bus.address" 2>"$work/bus-daemon.log" &
pids+=("$!")
wait_for '[ -s "$work/bus.address" ]' 10 || fail "dbus-daemon did not start"
export DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$work/bus.address")"
"${BUS_HELPER[@]}" serve "$work/bus.log" >"$work/bus-helper.log" 2>&1 &
pids+=("$!")
wait_for 'grep -q "\"ready\"" "$work/bus.log" 2>/dev/null' 10 ||
    fail "the desktop's bus services did not start: $(cat "$work/bus-helper.log")"

# field JSONLINE EXPRESSION: a value of one logged record, as python3 reads it.
field() { python3 -c "import json,sys; r=json.loads(sys.argv[1]); print($2)" "$1"; }

"$CLI" config set General AutoRun 0 >/dev/null
"$CLI" config set CheckNew AutoCheck 0 >/dev/null
serve_stand_in
start_virtual_screen 1920x1080 no-tray
pids+=("$XVFB_PID")
start_window_manager
"$PROGRAM" >"$work/program.log" 2>&1 &
program=$!
pids=("$program" "${pids[@]}")

wait_for 'grep -q "\"item\"" "$work/bus.log"' 20 || fail "no StatusNotifierItem registered"
item_line="$(grep '"item"' "$work/bus.log" | head -n 1)"
item_service="$(field "$item_line" 'r["service"]')"
item_path="$(field "$item_line" 'r["path"]')"

# The stand-in's answer holds a red typhoon warning: a critical notice.
wait_for 'grep -q "\"notify\"" "$work/bus.log"' 30 || fail "no notice reached the notification server"
notice="$(grep '"notify"' "$work/bus.log" | tail -n 1)"
[ "$(field "$notice" 'r["app"]')" = Galewarden ] || fail "notice under another name: $notice"
[ "$(field "$notice" 'r["hints"].get("desktop-entry")')" = cn.galewarden.Galewarden ] ||
    fail "notice without our desktop entry: $notice"
[ "$(field "$notice" 'r["hints"].get("urgency")')" = 2 ] || fail "a red notice not critical: $notice"
[ "$(field "$notice" 'r["timeout"]')" = -1 ] || fail "a critical notice with a time-out of ours: $notice"
[ "$(field "$notice" '"default" in r["actions"][0::2]')" = True ] || fail "notice without a default action: $notice"
[ "$(field "$notice" 'r["hints"].get("image-data", {}).get("width", 0) > 0')" = True ] ||
    fail "notice without the colour's picture: $notice"
echo "notice: $(field "$notice" 'r["summary"]')"

# The item once the first pass is through: the tooltip names the colour in force.
wait_for '"${BUS_HELPER[@]}" item "$item_service" "$item_path" | grep -q "预警生效中"' 10 ||
    fail "the item's tooltip does not tell the warnings: $("${BUS_HELPER[@]}" item "$item_service" "$item_path")"
item="$("${BUS_HELPER[@]}" item "$item_service" "$item_path")"
echo "item: $item"
[ "$(field "$item" 'r["Title"]')" = Galewarden ] || fail "the item is titled otherwise: $item"
[ "$(field "$item" 'any(w > 0 and n == w * h * 4 for w, h, n in r["IconPixmap"]) or r["IconName"] != ""')" = True ] ||
    fail "the item shows no picture: $item"
# The header tells the colour in force; the entries keep their access keys.
[ "$(field "$item" 'r["Menu"] == [r["ToolTip"]["title"].splitlines()[0], "_V.查看", "_H.历史预警", "_S.设置", "_X.关闭"]')" = True ] ||
    fail "the item's menu lacks its header or entries: $item"

# A tray host is there: the details window waits for a click.
details() { xdotool search --onlyvisible --name '^预警信息$' 2>/dev/null | head -n 1; }
[ -z "$(details)" ] || fail "the details window opened as if there were no tray"
"${BUS_HELPER[@]}" click "$(field "$notice" 'r["id"]')"
wait_for '[ -n "$(details)" ]' 10 || fail "a click on the notice did not open the details window"
xdotool windowactivate --sync "$(details)" key alt+F4
wait_for '[ -z "$(details)" ]' 5 || fail "the details window did not close"
"${BUS_HELPER[@]}" activate "$item_service" "$item_path"
wait_for '[ -n "$(details)" ]' 10 || fail "Activate did not open the details window"
import -window root "$SCREENSHOT"
echo "status notifier end to end: passed"
