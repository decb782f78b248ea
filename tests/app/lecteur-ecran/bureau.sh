#!/usr/bin/env bash
# Runs a command on a throw-away desktop of its own: Xvfb, a D-Bus session and
# the accessibility bus, as a screen reader finds them on a real desktop.
# Usage: bureau.sh COMMAND [ARG...]
set -u
if [ -z "${LUMKO_BUREAU_INTERIEUR:-}" ]; then
  export LUMKO_BUREAU_INTERIEUR=1
  exec dbus-run-session -- "$0" "$@"
fi
temp=$(mktemp -d)
# A free display number, which Xvfb writes once it accepts clients.
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$temp/affichage" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do grep -q . "$temp/affichage" 2>/dev/null && break; sleep 0.1; done
numero=$(head -n1 "$temp/affichage")
[ -n "$numero" ] || { echo "Xvfb n'a pas démarré" >&2; kill "$xvfb" 2>/dev/null; exit 1; }
export DISPLAY=":$numero"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -m 700 "$temp/run" "$temp/state" "$temp/config"
export XDG_RUNTIME_DIR="$temp/run" XDG_STATE_HOME="$temp/state" XDG_CONFIG_HOME="$temp/config"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
"$@"
rc=$?
kill "$bus" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait 2>/dev/null
rm -rf "$temp"
exit $rc
