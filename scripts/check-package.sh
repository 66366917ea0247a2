#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built game into a temporary prefix and builds the .deb, and
# checks that both hold the program, its shipped files, the desktop entry,
# the metainfo and the icons where a desktop looks; that the desktop entry
# and the metainfo pass their validators; and that the installed program
# fills a new player's game folder from its own data folder; and that
# Debian's own checker, lintian, finds no error and no warning in the .deb.
# Usage: scripts/check-package.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

desktop_file=$(ls "$build"/packaging/*.desktop)
id=$(basename "$desktop_file" .desktop)
shipped=(easy.wtf medium.wtf hard.wtf master.wtf series.wtf)
[ -f "$root/data/Quibbly.HLP" ] && shipped+=(Quibbly.HLP)
expected=(games/quibbly "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          "share/icons/hicolor/scalable/apps/$id.svg" share/doc/quibbly/copyright
          share/doc/quibbly/changelog.gz share/man/man6/quibbly.6.gz)
for file in "${shipped[@]}"; do expected+=("share/quibbly/$file"); done
for size in 16 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done

# cmake --install into a temporary prefix.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${expected[@]}"; do [ -f "$prefix/$file" ] || fail "cmake --install left out $file"; done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry's icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not launch $id.desktop"

# The installed program, started for a new player, fills the game folder
# from the prefix's data folder and keeps running until it is stopped.
home="$work/home"
mkdir -p "$home"
status=0
(cd / && HOME="$home" XDG_DATA_HOME='' QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/games/quibbly") \
    >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended by itself (status $status)"
for file in "${shipped[@]}"; do
    cmp -s "$prefix/share/quibbly/$file" "$home/.local/share/quibbly/$file" ||
        fail "the installed program did not copy $file into the game folder"
done

# The .deb, built from the same install rules into /usr.
rm -f "$build"/quibbly_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quibbly_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for file in "${expected[@]}"; do grep -qx "\./usr/$file" "$work/contents" || fail "the .deb lacks /usr/$file"; done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6svg6 fonts-liberation fonts-ebgaramond; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the .deb does not depend on $package ($depends)"
done

# Debian's policy as lintian checks it; "pedantic" and "info" notes aside.
lintian --fail-on error,warning --display-level '>=warning' "$deb" || fail "lintian"

if [ "$failures" -ne 0 ]; then
    echo "package checks: $failures failed" >&2
    exit 1
fi
echo "package checks passed: $(basename "$deb") with ${#expected[@]} files where a desktop looks"
