#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with warnings as errors and runs every test: the headless
# game tests, the word-file checks and the Qt tests on the offscreen platform.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIBBLY_WERROR=ON >/dev/null
cmake --build "$root/build" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"
