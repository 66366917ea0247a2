#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs play_by_atspi.py against the program on a screen of its own (Xvfb)
# with a session bus of its own, which starts the AT-SPI bus when asked,
# and a window manager that hands the keyboard back when a box closes, as a
# desktop does.
# usage: run_atspi_test.sh QUIBBLY_PROGRAM DATA_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
for tool in xvfb-run xauth dbus-run-session openbox /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/install-deps.sh)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$(mktemp -d)"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- bash -c 'openbox >/dev/null 2>&1 & exec /usr/bin/python3 "$0" "$@"' \
    "$here/play_by_atspi.py" "$@"
