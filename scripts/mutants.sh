#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plants each fault of scripts/mutants/*.patch in turn, builds, runs the whole
# test suite and reports whether a test caught it. A fault no test catches is
# a hole in the tests: the script then exits 1.
#
#   scripts/mutants.sh                     every fault, plain build
#   scripts/mutants.sh --sanitize          every fault, clang build with
#                                          AddressSanitizer and
#                                          UndefinedBehaviorSanitizer, as CI
#   scripts/mutants.sh 03-*.patch ...      only the named faults
#   scripts/mutants.sh --sample N [--seed S]
#                                          N faults drawn at random from the
#                                          code itself (scripts/mutants_sample.py
#                                          says which); prints the share
#                                          caught and every survivor, which
#                                          scripts/mutants-equivalent.txt
#                                          may explain
#
# It works on a copy of the working tree (uncommitted changes included) under
# build-mutants/, so the sources stay untouched while it runs. MUTANTS_SOURCE
# names another tree to copy (an older checkout, to compare).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind=plain
flags=()
if [[ "${1:-}" == "--sanitize" ]]; then
    kind=sanitize
    shift
    flags=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++
        "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS"
        "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
else
    # The library's own checks (an index past the end of a std::array or a
    # std::vector) stop a test as the sanitizer build in CI does.
    flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS)
fi
sample=0
seed=1
if [[ "${1:-}" == "--sample" ]]; then
    sample="${2:?--sample needs a number}"
    shift 2
    if [[ "${1:-}" == "--seed" ]]; then
        seed="${2:?--seed needs a number}"
        shift 2
    fi
fi
patches=()
for name in "$@"; do patches+=("$root/scripts/mutants/$(basename "$name")"); done
[[ ${#patches[@]} -gt 0 ]] || patches=("$root"/scripts/mutants/*.patch)

work="$root/build-mutants/$kind${MUTANTS_SOURCE:+-other}"
tree="$work/tree"
build="$work/build"
mkdir -p "$tree"
# By content, stamped now: a file a stopped run left planted is put back and
# rebuilt, even though the original is older than the objects built from it.
rsync -a --no-times --checksum --delete --exclude '/build*' --exclude '/.git' "${MUTANTS_SOURCE:-$root}/" "$tree/"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$tree" -B "$build" "${flags[@]}" "${launcher[@]}" -DQUIBBLY_BUILD_BENCH=OFF >/dev/null

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
# Qt's own start-up leaves allocations the leak checker would report.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-qt.supp"

run_suite() {  # prints the names of the failed tests, one a line
    local log="$1"
    if ctest --test-dir "$build" -j"$(nproc)" --timeout 600 >"$log" 2>&1; then return 0; fi
    sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^[[:space:]]+[0-9]+ - ' |
        sed -E 's/^[[:space:]]+[0-9]+ - ([^ ]+).*/\1/'
    return 1
}

echo "== $kind build, no fault planted"
cmake --build "$build" -j"$(nproc)" >"$work/build.log" 2>&1 || { tail -30 "$work/build.log"; exit 2; }
if ! run_suite "$work/baseline.log" >/dev/null; then
    echo "the suite fails without any fault; see $work/baseline.log"
    exit 2
fi

if [[ $sample -gt 0 ]]; then
    exec python3 "$root/scripts/mutants_sample.py" --tree "$tree" --build "$build" --work "$work" \
        --sample "$sample" --seed "$seed"
fi

missed=0
planted=""
# patch, not git apply: the copy lies inside the repository, where git apply
# would change the real sources.
undo() { [[ -n "$planted" ]] && patch -s -R -p1 -d "$tree" <"$planted"; planted=""; }
trap undo EXIT
printf '%-40s %s\n' fault result
for patch in "${patches[@]}"; do
    name="$(basename "$patch" .patch)"
    patch -s -p1 -d "$tree" <"$patch"
    planted="$patch"
    if ! cmake --build "$build" -j"$(nproc)" >"$work/$name.build.log" 2>&1; then
        printf '%-40s %s\n' "$name" "MISSED (does not build: $work/$name.build.log)"
        missed=$((missed + 1))
    elif failed="$(run_suite "$work/$name.log")"; then
        printf '%-40s %s\n' "$name" "MISSED"
        missed=$((missed + 1))
    else
        printf '%-40s caught by %s\n' "$name" "$(echo "$failed" | head -4 | paste -sd' ')"
    fi
    undo
done
# Leave the copy built as it is in the tree.
cmake --build "$build" -j"$(nproc)" >/dev/null 2>&1 || true
total=${#patches[@]}
echo "$((total - missed)) caught, $missed missed"
[[ $missed -eq 0 ]]
