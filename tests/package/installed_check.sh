#!/usr/bin/env bash
# The Debian package as a user meets it: built by scripts/package, installed with apt, used
# by an unprivileged user with a fresh home (installed mode: no GALEWARDEN_HOME, no XDG
# variables) against the stand-in service, started from its menu entry on a virtual screen,
# then purged without a trace. With --built DIR it takes the package scripts/package made
# before in DIR.
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$ROOT/scripts/lib/desktop.sh"

dir=build-package
if [ "${1:-}" = --built ]; then
    dir="${2:-$dir}"
else
    "$ROOT/scripts/package"
fi
debs=("$ROOT/$dir"/galewarden_*.deb)
deb="${debs[0]}"
SERVICE="$ROOT/$dir/tools/alert-service/galewarden-alert-service"
# A sentence of the typhoon red guidance, which the stand-in's default districts have in force.
GUIDANCE="有关部门和单位按职责做好防台风应急和抢险工作"
grep -q "$GUIDANCE" "$ROOT/resources/Guidance.html"

work="$(mktemp -d)"
user=""
SERVICE_PID=""
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -z "$SERVICE_PID" ] || kill "$SERVICE_PID" 2>/dev/null || true
    [ -z "$user" ] || as_root userdel -r "$user" 2>/dev/null || true
    if dpkg-query -W -f='${Status}' galewarden 2>/dev/null | grep -q 'install ok installed'; then
        as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q galewarden >/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

echo "-- install $(basename "$deb")"
install_package() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$work/apt.log" 2>&1
}
# The package lists may be older than the archive; dependencies missing here need new ones.
if ! install_package; then
    as_root apt-get update -q >/dev/null
    install_package || { cat "$work/apt.log"; fail "apt-get could not install the package"; }
fi
[ "$(command -v galewarden-cli)" = /usr/bin/galewarden-cli ] || fail "galewarden-cli is not /usr/bin's"
for file in /usr/bin/galewarden /usr/share/galewarden/Guidance.html \
    /usr/share/galewarden/Districts.json /usr/share/galewarden/Warning.wav \
    /usr/share/applications/cn.galewarden.Galewarden.desktop \
    /usr/share/icons/hicolor/256x256/apps/cn.galewarden.Galewarden.png \
    /usr/share/man/man1/galewarden-cli.1.gz; do
    [ -f "$file" ] || fail "$file is not installed"
done
if ldd /usr/bin/galewarden /usr/bin/galewarden-cli | grep 'not found'; then
    fail "the installed programs miss libraries"
fi

# As root the check runs as a throwaway user; otherwise as the current user, in a fresh home.
if [ "$(id -u)" -eq 0 ]; then
    user="gwcheck$$"
    useradd --create-home --shell /bin/sh "$user"
    home="$(getent passwd "$user" | cut -d: -f6)"
    as_user() { runuser -u "$user" -- "$@"; }
else
    home="$work/home"
    mkdir "$home"
    as_user() { "$@"; }
fi
start_service "$SERVICE" "$work/service.log"
cli() {
    as_user env -i -C "$home" PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 \
        GALEWARDEN_ALERT_SERVICE="$GALEWARDEN_ALERT_SERVICE" \
        GALEWARDEN_WEB_HOST="$GALEWARDEN_WEB_HOST" GALEWARDEN_FEED_HOST="$GALEWARDEN_FEED_HOST" \
        galewarden-cli "$@"
}

echo "-- galewarden-cli as $(as_user id -un) with HOME=$home"
touch "$work/before-use"
cli config set General Top 60 || fail "config set failed"
ini="$home/.config/galewarden/Galewarden.ini"
[ -f "$ini" ] || fail "no $ini; the user's files: $(find "$home" -newer "$work/before-use")"
tr -d '\r' <"$ini" | grep -x 'Top=60' >/dev/null || fail "$ini does not hold Top=60"
[ "$(cli config get General Top)" = 60 ] || fail "config get does not read back 60"

status=0
cli once >"$work/once.txt" 2>"$work/once.err" || status=$?
[ "$status" -eq 0 ] || { cat "$work/once.txt" "$work/once.err"; fail "once exited with $status"; }
sed -n 1p "$work/once.txt" | grep '个预警正生效中' >/dev/null ||
    { cat "$work/once.txt"; fail "once printed no status line with warnings"; }
grep -q "$GUIDANCE" "$work/once.txt" ||
    fail "the details lack the guidance of /usr/share/galewarden/Guidance.html"
compgen -G "$home/.local/share/galewarden/Pack/*.png" >/dev/null ||
    fail "no signal pictures in $home/.local/share/galewarden/Pack"

echo "-- galewarden from its menu entry, in a home that has never seen it"
desktop_home="$home/first-start"
as_user mkdir "$desktop_home"
start_virtual_screen 1280x800
pids+=("$XVFB_PID" "$TRAY_HOST_PID")
menu_command="$(sed -n 's/^Exec=//p' /usr/share/applications/cn.galewarden.Galewarden.desktop)"
as_user env -i -C "$desktop_home" PATH=/usr/bin:/bin HOME="$desktop_home" LANG=C.UTF-8 \
    DISPLAY="$DISPLAY" sh -c "exec $menu_command" >"$work/desktop.log" 2>&1 &
pids+=($!)
wizard() { xdotool search --onlyvisible --name '快速设置向导' 2>/dev/null | head -n 1; }
wait_for '[ -n "$(wizard)" ]' 30 || { cat "$work/desktop.log"; fail "the setup wizard did not open"; }
program="$(xdotool getwindowpid "$(wizard)")"
[ "$(readlink "/proc/$program/exe")" = /usr/bin/galewarden ] ||
    fail "the wizard is not /usr/bin/galewarden's"
kill "$program"
wait "${pids[-1]}" 2>/dev/null || true

written="$(find /usr -xdev -newer "$work/before-use" \( -iname '*galewarden*' -o -name Pack \
    -o -path '*/galewarden/*' \) -print)"
[ -z "$written" ] || fail "written under /usr: $written"
dpkg --verify galewarden || fail "installed files changed"
[ "$(find /usr/share/galewarden -type f | sort)" = \
    "$(dpkg -L galewarden | grep '^/usr/share/galewarden/' | sort)" ] ||
    fail "/usr/share/galewarden holds files that are not the package's"

echo "-- purge"
as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q galewarden >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get could not purge the package"; }
if dpkg -L galewarden >/dev/null 2>&1; then
    fail "dpkg still knows galewarden"
fi
[ ! -e /usr/share/galewarden ] || fail "/usr/share/galewarden is still there"
for file in /usr/bin/galewarden /usr/bin/galewarden-cli \
    /usr/share/applications/cn.galewarden.Galewarden.desktop \
    /usr/share/metainfo/cn.galewarden.Galewarden.metainfo.xml /usr/share/doc/galewarden; do
    [ ! -e "$file" ] || fail "$file is still there"
done
echo "-- the package installs, works in installed mode and purges cleanly"
