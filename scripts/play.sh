#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quibbly and starts it. The game prepares the player's own game
# folder itself: the word files and help, and later the scores and saved games.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quibbly -j"$(nproc)"
exec "$root/build/src/app/quibbly"
