#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, playing and testing need,
# but only those that are missing.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-svg-dev libqt6svg6 libgtest-dev
          fonts-liberation fonts-ebgaramond desktop-file-utils appstream lintian rsync)
packages+=(clang libclang-rt-14-dev)  # scripts/fuzz.sh: libFuzzer and the sanitizers
# tests/a11y: a screen of its own, a session bus, the AT-SPI bus and its
# Python client, and a window manager
packages+=(xvfb xauth dbus-x11 at-spi2-core python3-pyatspi openbox)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
