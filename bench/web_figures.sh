#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the page (scripts/web.sh), the computer's turn benchmark for the
# web (build-web/bench-site/) and natively (build-bench/), then prints the
# page's figures: its transfer size, its start-up times in headless
# Chromium and the computer's turn at every level, native against Chromium
# (bench/web/figures.mjs). Options go to figures.mjs: --runs N (start-ups,
# 7 by default), --games N (games a level, 400 by default), --port P (P and
# P+1 on 127.0.0.1, 8837 by default).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/web.sh" --no-serve
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
emcmake cmake -S "$root" -B "$root/build-web" -DQUIBBLY_BUILD_WEB_BENCH=ON >/dev/null
cmake --build "$root/build-web" --target computer_turn -j2
cmake -S "$root" -B "$root/build-bench" -DQUIBBLY_HEADLESS_ONLY=ON -DQUIBBLY_BUILD_TESTS=OFF -DQUIBBLY_WERROR=ON >/dev/null
cmake --build "$root/build-bench" --target computer_turn -j2
[ -d "$root/tests/web/node_modules/playwright-core" ] ||
    (cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
node "$root/bench/web/figures.mjs" --site "$root/build-web/site" --bench-site "$root/build-web/bench-site" \
    --native "$root/build-bench/bench/computer_turn" "$@"
