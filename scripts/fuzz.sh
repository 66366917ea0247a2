#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets under fuzz/ with clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer in build-fuzz/, runs each for SECONDS
# (default 30) one after the other, and ends with one line per target.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 level_file
#
# Each target starts from its committed seeds in fuzz/corpus/<target>/ and
# keeps what it learns in build-fuzz/corpus/<target>/, so a longer campaign
# goes on from the last one. A crash, leak, hang (over 5 s for one input) or
# sanitizer report fails the run and leaves the input in
# build-fuzz/crashes/<target>/; run the target on that file to replay it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
shift || true
build="$root/build-fuzz"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUIBBLY_HEADLESS_ONLY=ON -DQUIBBLY_BUILD_FUZZ=ON -DQUIBBLY_BUILD_TESTS=OFF -DQUIBBLY_BUILD_BENCH=OFF \
    -DQUIBBLY_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in "$root"/fuzz/corpus/*/; do
        target="$(basename "$dir")"
        [ -x "$build/fuzz/fuzz_$target" ] && targets+=("$target")
    done
fi

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
summary=()
failed=0
for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    crashes="$build/crashes/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$work" "$crashes"
    stamp="$build/fuzz-$target.started"
    touch "$stamp"
    echo "== $target: $seconds s"
    # The targets change their current folder, so every path is absolute.
    status=0
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -dict="$root/fuzz/game_files.dict" -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$work" "$root/fuzz/corpus/$target" \
        >"$log" 2>&1 || status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    [ -n "$runs" ] || runs="$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')"
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
    found=0
    inputs=()
    # Only what this run found; inputs of earlier runs stay where they are.
    while IFS= read -r input; do
        found=$((found + 1))
        inputs+=("$input")
    done < <(find "$crashes" -maxdepth 1 -type f -newer "$stamp")
    if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
    line="$target: ${runs:-0} executions in $seconds s (${rate:-?} exec/s), $found crashes"
    if [ "$found" -gt 0 ]; then
        failed=1
        line+=" -- input: ${inputs[*]:-none} (log $log)"
        tail -40 "$log"
    fi
    summary+=("$line")
done

echo
printf '%s\n' "${summary[@]}"
exit "$failed"
