#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the documentation names only what exists: README.md,
# CONTRIBUTING.md and every page under docs/ are read for
#   - paths into the tree (src/..., tests/..., scripts/..., bench/..., fuzz/...,
#     docs/..., data/..., packaging/..., tools/..., .ci/..., LICENSES/...),
#     which must exist; <name> in a path stands for any name and * is a
#     pattern, so fuzz/corpus/<target>/ needs one folder there. A path to a
#     built program (bench/computer_strength) may name a build target instead;
#   - relative links of the Markdown, from the page's own folder;
#   - build targets: the X of "--target X", the program of a path under a
#     build folder (build/bench/history_load, build-fuzz/fuzz/fuzz_<target>)
#     and a name in backquotes that looks like one (`headless_tests`,
#     `level_file`), which the CMake files must define as a target or a
#     test, or as the last part of one (the fuzz target level_file is built
#     as fuzz_level_file).
# Each reference that does not hold is printed as FILE:LINE: what; the
# script fails when there is any.
#
#   scripts/check-docs.sh
set -euo pipefail
shopt -s extglob
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

pages=(README.md CONTRIBUTING.md)
while IFS= read -r page; do pages+=("$page"); done < <(find docs -name '*.md' | sort)

# The targets and tests the CMake files define, one a line. A name built
# inside foreach() is expanded over the loop's values (given in the foreach
# or by a set() of the same file); any other ${...} stands for any text.
defined="$(find . -path ./.git -prune -o -path './build*' -prune -o \
    \( -name CMakeLists.txt -o -name '*.cmake' \) -print | sort | xargs awk '
    FNR == 1 { delete lists; delete loopvar; depth = 0; pending = "" }
    {
        line = $0
        sub(/#.*/, "", line)
        # set(NAME values...) over one or more lines
        if (pending != "" || line ~ /^[ \t]*set\(/) {
            text = pending " " line
            if (index(text, ")") == 0) { pending = text; next }
            pending = ""
            sub(/^[ \t]*set\(/, "", text); sub(/\).*/, "", text)
            n = split(text, words, /[ \t]+/)
            name = ""; values = ""
            for (i = 1; i <= n; i++) {
                if (words[i] == "") continue
                if (name == "") name = words[i]; else values = values " " words[i]
            }
            lists[name] = values
            next
        }
        if (line ~ /^[ \t]*foreach\(/) {
            text = line
            sub(/^[ \t]*foreach\(/, "", text); sub(/\).*/, "", text)
            n = split(text, words, /[ \t]+/)
            k = 0; for (i = 1; i <= n; i++) if (words[i] != "") w[++k] = words[i]
            depth++
            loopvar[depth] = w[1]
            values = ""
            if (w[2] == "IN" && w[3] == "LISTS") { for (i = 4; i <= k; i++) values = values " " lists[w[i]] }
            else if (w[2] == "IN" && w[3] == "ITEMS") { for (i = 4; i <= k; i++) values = values " " w[i] }
            else { for (i = 2; i <= k; i++) values = values " " w[i] }
            loopvalues[depth] = values
            next
        }
        if (line ~ /^[ \t]*endforeach/) { depth--; next }
        kind = ""
        if (match(line, /add_(executable|library|custom_target)\([ \t]*[^ \t)]+/)) {
            kind = "target"; text = substr(line, RSTART, RLENGTH); sub(/^add_[a-z_]+\([ \t]*/, "", text)
        } else if (match(line, /add_test\([ \t]*NAME[ \t]+[^ \t)]+/)) {
            kind = "test"; text = substr(line, RSTART, RLENGTH); sub(/^add_test\([ \t]*NAME[ \t]+/, "", text)
        }
        if (kind == "") next
        emit(kind, text, depth)
    }
    function emit(kind, text, d,    var, n, vals, i, had, t, p) {
        if (d == 0) { gsub(/\$\{[^}]*\}/, "*", text); print kind, text; return }
        var = "${" loopvar[d] "}"
        if (index(text, var) == 0) { emit(kind, text, d - 1); return }
        n = split(loopvalues[d], vals, /[ \t]+/)
        had = 0
        for (i = 1; i <= n; i++) {
            if (vals[i] == "") continue
            had = 1
            t = text
            while ((p = index(t, var)) > 0) t = substr(t, 1, p - 1) vals[i] substr(t, p + length(var))
            emit(kind, t, d - 1)
        }
        if (!had) emit(kind, text, d - 1)
    }
')"
if [ -z "$defined" ]; then
    echo "check-docs: no build target found in the CMake files" >&2
    exit 2
fi

# True when the name (<...> standing for any text) is a target or a test the
# CMake files define; with "last", also when it is the last part of one.
is_defined() {
    local name="${1//<*([^>])>/X}" how="${2:-}" kind pattern
    while read -r kind pattern; do
        [[ "$name" == $pattern ]] && return 0
        [[ "$how" == last && "$pattern" == *"_$name" ]] && return 0
    done <<<"$defined"
    # A placeholder in the documented name matches any name of that shape.
    if [[ "$1" == *'<'* ]]; then
        local glob="${1//<*([^>])>/*}"
        while read -r kind pattern; do
            [[ "$pattern" == $glob ]] && return 0
        done <<<"$defined"
    fi
    return 1
}

# True when the path, read from the folder given, exists; <name> stands for
# any name and * is a pattern.
path_exists() {
    local base="$1" path="$2"
    path="${path//<*([^>])>/*}"
    if [[ "$path" == *'*'* ]]; then
        compgen -G "$base/$path" >/dev/null
    else
        [ -e "$base/$path" ]
    fi
}

failures=0
fail() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

# Left of a reference stands the line's start or a character that cannot be
# part of a path (so build/bench/... and $root/scripts/... are not read as
# bench/... and scripts/...).
edge='(^|[^A-Za-z0-9_./~$-])'
chars='[^][:space:]`"'"'"'()|,;]'
top='(\.ci|src|tests|scripts|bench|fuzz|docs|data|packaging|tools|LICENSES)'

for page in "${pages[@]}"; do
    folder="$(dirname "$page")"

    # Paths into the tree, from the repository's root.
    while IFS=: read -r line ref; do
        ref="$(sed -E "s#^${edge}##" <<<"$ref")"
        ref="$(sed -E 's/[.:]+$//' <<<"$ref")"
        ref="${ref%%#*}"  # a link's anchor
        [ -n "$ref" ] || continue
        path_exists . "$ref" && continue
        # A built program named by its place in the build tree.
        program="$(basename "$ref")"
        if [[ "$ref" != */ && "$program" != *.* ]] && path_exists . "$(dirname "$ref")" &&
            is_defined "$program"; then
            continue
        fi
        fail "$page:$line" "no such path in the tree: $ref"
    done < <(grep -noE "${edge}${top}/${chars}*" "$page" || true)

    # Relative links of the Markdown, from the page's folder.
    while IFS=: read -r line ref; do
        ref="${ref#*](}"
        ref="${ref%)}"
        ref="${ref%%#*}"
        [ -n "$ref" ] || continue
        [[ "$ref" =~ ^[a-zA-Z][a-zA-Z+.-]*: ]] && continue  # https:, mailto:
        path_exists "$folder" "$ref" || fail "$page:$line" "the link leads nowhere: $ref"
    done < <(grep -noE '\]\([^)[:space:]]+\)' "$page" || true)

    # Targets given to cmake --build.
    while IFS=: read -r line ref; do
        ref="$(sed -E 's/^--target[[:space:]]+//' <<<"$ref")"
        is_defined "$ref" || fail "$page:$line" "no build target $ref in the CMake files"
    done < <(grep -noE -- '--target[[:space:]]+[A-Za-z0-9_<>-]+' "$page" || true)

    # Programs under a build folder.
    while IFS=: read -r line ref; do
        ref="$(sed -E "s#^${edge}##" <<<"$ref")"
        ref="$(sed -E 's/[.:]+$//' <<<"$ref")"
        [[ "$ref" == */ ]] && continue
        program="$(basename "$ref")"
        [[ "$program" == *.* || "$ref" != */* ]] && continue  # a file such as the .deb, or the folder
        is_defined "$program" || fail "$page:$line" "no build target $program in the CMake files ($ref)"
    done < <(grep -noE "${edge}build[A-Za-z0-9_-]*/${chars}*" "$page" || true)

    # Names in backquotes shaped like targets: lower case with an underscore.
    while IFS=: read -r line ref; do
        ref="${ref//\`/}"
        is_defined "$ref" last || fail "$page:$line" "no build target or test $ref in the CMake files"
    done < <(grep -noE '`[a-z][a-z0-9]*(_[a-z0-9<>]+)+`' "$page" || true)
done

if [ "$failures" -ne 0 ]; then
    echo "check-docs: $failures reference(s) in the documentation do not hold" >&2
    exit 1
fi
echo "check-docs: the references of ${#pages[@]} pages hold"
