#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Orca listens while tests/a11y/play_by_atspi.py plays a whole game at a
# screen reader's pace, on a screen and session bus of their own; what Orca
# would say is read from its debug log afterwards (the lines "SPEECH OUTPUT").
# Needs the packages orca, speech-dispatcher and espeak-ng beside those of
# the AT-SPI test (scripts/install-deps.sh). No sound card is needed:
# speech goes to ALSA's null device.
# usage: scripts/orca-check.sh [build folder] [debug log]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
log="$(realpath -m "${2:-$build/orca-debug.log}")"
session="$(mktemp -d)"
trap 'rm -rf "$session"' EXIT
export HOME="$session/home" XDG_RUNTIME_DIR="$session/run" ROOT="$root" BUILD="$build" LOG="$log"
mkdir -p "$HOME/.config/speech-dispatcher"
mkdir -m 700 "$XDG_RUNTIME_DIR"
sed -e 's|^# AudioOutputMethod "pulse"|AudioOutputMethod "alsa"|' -e 's|^#AudioALSADevice "default"|AudioALSADevice "null"|' \
    /etc/speech-dispatcher/speechd.conf >"$HOME/.config/speech-dispatcher/speechd.conf"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
rm -f "$log"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- bash -c '
    openbox >/dev/null 2>&1 & wm=$!
    orca --replace -d braille --debug-file="$LOG" >/dev/null 2>&1 & orca=$!
    sleep 6  # Orca starts and says "Screen reader on."
    QUIBBLY_ATSPI_PACE=2 /usr/bin/python3 "$ROOT/tests/a11y/play_by_atspi.py" "$BUILD/src/app/quibbly" "$ROOT/data" || true
    sleep 5
    kill -TERM $orca
    for i in $(seq 20); do kill -0 $orca 2>/dev/null || break; sleep 0.5; done
    kill -KILL $orca $wm 2>/dev/null || true'
sed -n "s/.*SPEECH OUTPUT: '\(.*\)'{.*/\1/p" "$log"
