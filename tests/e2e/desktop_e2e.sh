#!/usr/bin/env bash
# The desktop program end to end on a virtual 1920x1080 screen with a tray host, against the
# stand-in service, checked from outside the process: its windows through X, its output through
# the HTML page. Usage: desktop_e2e.sh PROGRAM CLI SERVICE SCREENSHOT
set -euo pipefail
PROGRAM="$1" CLI="$2" SERVICE="$3" SCREENSHOT="$4"
source "$(dirname "$0")/harness.sh"

export XDG_CONFIG_HOME="$work/config"
export GALEWARDEN_HOME="$work/home"
page="$GALEWARDEN_HOME/page.html"
answer="$GALEWARDEN_HOME/answer.json"
mkdir -p "$GALEWARDEN_HOME"
printf '<script>/* Alert Start *//* Alert End */\n/* Stage Start *//* Stage End */\n/* Content Start *//* Content End */</script>\n' >"$page"
config() { "$CLI" config set "$@" >/dev/null; }
config General AutoRun 0
# A build tree's program takes a floor below the half minute of a user's, so the change of
# scenario below shows within seconds.
export GALEWARDEN_MINIMUM_REFRESH=3
config General RefreshTime 3
config General SaveJson 1
config General JsonLink "$answer" --quoted
config HTML Location "$page" --quoted
config HTML Start 1

serve_stand_in
scenario() { curl -sf -X POST --data "$1" "$SERVICE_BASE/control/scenario" >/dev/null; }

# What the engine keeps of each scenario, in display order, as the page's alert list.
expected_alerts() {
    local home="$work/expected-$1"
    mkdir -p "$home"
    scenario "$1"
    GALEWARDEN_HOME="$home" "$CLI" config set Sign Auto 0 >/dev/null
    GALEWARDEN_HOME="$home" "$CLI" once --json | python3 -c '
import json, sys
names = []
for alert in json.load(sys.stdin):
    if alert["signalName"] not in names:
        names.append(alert["signalName"])
print("var Alerts = new Array(" + ",".join("\"%s\"" % n for n in names) + ");")'
}
before="$(expected_alerts default)"
after="$(expected_alerts alternate)"
[ "$before" != "$after" ] || fail "the two scenarios keep the same warnings"
scenario default

page_alerts() { sed -n 's|.*/\* Alert Start \*/\(.*\)/\* Alert End \*/.*|\1|p' "$page"; }

start_program_on_screen

wait_for '[ -s "$answer" ] && grep -q "var Stage = 0;" "$page"' 60 || fail "no refresh within a minute"
[ "$(page_alerts)" = "$before" ] || fail "alerts on the page: $(page_alerts), expected $before"
grep -q 'var Content = ".*台风' "$page" || fail "the page's details hold no warning text"

# The icon window: 100 x 82 at the default place, 80 from the right edge and 60 from the top.
wait_for 'has_window "$program" 100x82+1740+60' 10 ||
    fail "no icon window at 1740,60: $(program_windows "$program" | tr '\n' ' ')"
wait_for '[ -n "$(docked_tray_icon)" ]' 30 || fail "the tray icon is not docked"

import -window root "$SCREENSHOT"

# A warning added on the service shows up and a lifted one goes, within one refresh.
scenario alternate
wait_for '[ "$(page_alerts)" = "$after" ]' 20 || fail "after the change: $(page_alerts), expected $after"

# An orderly end: the page says the program stopped.
kill -TERM "$program"
wait_for '! kill -0 "$program" 2>/dev/null' 10 || fail "the program did not end on SIGTERM"
grep -q "var Stage = -3;" "$page" || fail "the page does not show the orderly end"
echo "desktop end to end: passed"
