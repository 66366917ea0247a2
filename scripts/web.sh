#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game for a web page with Debian's emscripten into
# build-web/site/ (index.html, quibbly.js, quibbly.wasm, quibbly.data and
# the pictures: a static folder any web server can serve) and serves it on
# 127.0.0.1, printing the address. --no-serve only builds; --with-tests
# builds the headless tests for node beside it (CI runs them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
serve=1 tests=OFF
for arg in "$@"; do
    case "$arg" in
        --no-serve) serve=0 ;;
        --with-tests) tests=ON ;;
        *) echo "usage: scripts/web.sh [--no-serve] [--with-tests]" >&2; exit 2 ;;
    esac
done

packages=(emscripten cmake python3)
[ "$tests" = ON ] && packages+=(libgtest-dev)
command -v node >/dev/null || packages+=(nodejs)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's emscripten finds its JavaScript parser among Debian's node
# modules, which a node from elsewhere does not look in.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
# The tests are built lean: the headless tests alone, at -Os, no sanitizers.
emcmake cmake -S "$root" -B "$root/build-web" -DCMAKE_BUILD_TYPE=MinSizeRel -DQUIBBLY_HEADLESS_ONLY=ON \
    -DQUIBBLY_BUILD_BENCH=OFF -DQUIBBLY_BUILD_TESTS="$tests" -DQUIBBLY_WERROR=ON >/dev/null
targets=(quibbly_web)
[ "$tests" = ON ] && targets+=(headless_tests)
cmake --build "$root/build-web" --target "${targets[@]}" -j2
[ "$serve" = 1 ] || exit 0

port="${QUIBBLY_WEB_PORT:-8000}"
echo "Quibbly is served at http://127.0.0.1:$port/ (Ctrl+C stops it)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site"
