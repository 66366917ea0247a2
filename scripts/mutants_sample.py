#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws faults at random from the code itself and runs the test suite on each:
# the part of scripts/mutants.sh behind --sample. It plants one fault at a
# time in the copy of the tree that mutants.sh keeps, builds it and runs ctest.
#
# The places a fault can go are every line of a function body in
# src/engine/ and src/records/, the constants of those files, and every
# function body of src/windows/ except the constructors (which only lay out
# the controls). At each place one kind of fault:
#   relation   a comparison flipped: == and !=, < and <=, > and >=
#   arithmetic + and -, * and /, % to *, += and -=
#   logic      && and ||
#   negation   a ! removed
#   constant   a whole number moved by one
#   statement  a statement removed
#   condition  the condition of an if taken as always true or always false,
#              of a while as always false
# A fault that does not build is drawn again and not counted. A fault whose
# test run fails or times out is caught. A fault that survives is a hole in
# the tests, unless scripts/mutants-equivalent.txt explains it as a change
# no player can see.
import argparse
import os
import hashlib
import re
import subprocess
import sys
import time

FOLDERS = ("src/engine", "src/records", "src/windows")
EQUIVALENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mutants-equivalent.txt")

# A line that declares a name: taking it out only stops the build.
DECLARATION = re.compile(r"^(const |constexpr |static |auto |unsigned |int |long |double |bool |char |float |"
                         r"(std::)?\w+(::\w+)*(<.*>)?[&*]? \w+( =|;| \{|\(|\{))")
RELATION = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">"}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "*", "+=": "-=", "-=": "+="}


def mask_line(line, in_comment):
    """The line with string and character literals and comments blanked out
    (same length, so positions carry over), and whether a block comment runs
    on past its end."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        if in_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_comment = False
            continue
        ch = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_comment = True
            continue
        if ch in "\"'":
            j = i + 1
            while j < n and line[j] != ch:
                j += 2 if line[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(ch + "_" * max(0, j - i - 2) + (ch if j - i >= 2 else ""))
            i = j
            continue
        out.append(ch)
        i += 1
    return "".join(out), in_comment


def function_name(header):
    """The name of the function whose header ends here, or None when the
    brace opens something else (a namespace, a class, a table)."""
    head = header.strip()
    if re.match(r"^(namespace|class|struct|enum|union|extern)\b", head) or re.search(
            r"\b(class|struct|enum|union)\s+\w+\s*(:[^()]*)?$", head):
        return None
    if "(" not in head or head.endswith("=") or re.search(r"=\s*$", head):
        return None
    name = re.findall(r"([~\w]+(?:::[~\w]+)*)\s*\(", head)
    return name[0] if name else None


def is_constructor(name):
    parts = name.split("::")
    return len(parts) >= 2 and parts[-1] == parts[-2]


def places(root, path):
    """Every (line index, kind, start, end, replacement) fault of a file."""
    with open(os.path.join(root, path), encoding="utf-8") as f:
        lines = f.read().split("\n")
    windows = path.startswith("src/windows/")
    found = []
    in_comment = False
    stack = []  # for each open brace: "fn", "in" (inside a function) or "out"
    header = ""
    previous_end = ";"
    for number, line in enumerate(lines):
        code, in_comment = mask_line(line, in_comment)
        stripped = code.strip()
        inside = "fn" in stack or "in" in stack
        skip_body = False
        if inside:
            owner = next(s for s in stack if s in ("fn", "in"))
            skip_body = owner == "in"  # a constructor's body
        plantable = (inside and not skip_body and stripped and not stripped.startswith("#"))
        if not inside and not windows and re.match(r"^(static\s+)?(constexpr|const)\b.*=.*;$", stripped):
            plantable = True
        if plantable:
            found.extend(faults_of(number, code, stripped, previous_end))
        # Follow the braces to know which lines lie in a function body.
        for ch in code:
            in_function = "fn" in stack or "in" in stack
            if ch == "{":
                if in_function:
                    stack.append("body")
                else:
                    name = function_name(header)
                    if name is None:
                        stack.append("out")
                    else:
                        stack.append("in" if windows and is_constructor(name) else "fn")
                header = ""
            elif ch == "}":
                if stack:
                    stack.pop()
                header = ""
            elif ch == ";":
                if not in_function:
                    header = ""
            elif not in_function:
                header += ch
        header += " "
        if stripped:
            previous_end = stripped[-1]
    return lines, found


def faults_of(number, code, stripped, previous_end):
    found = []
    for m in re.finditer(r"(?<= )(==|!=|<=|>=|<|>)(?= )", code):
        found.append((number, "relation", m.start(), m.end(), RELATION[m.group(1)]))
    for m in re.finditer(r"(?<= )(\+=|-=|\+|-|\*|/|%)(?= )", code):
        # Text joined to a literal does not build with any other operator.
        if code[max(0, m.start() - 2):m.start() - 1] == '"' or code[m.end() + 1:m.end() + 2] == '"':
            continue
        found.append((number, "arithmetic", m.start(), m.end(), ARITHMETIC[m.group(1)]))
    for m in re.finditer(r"(?<= )(&&|\|\|)(?= )", code):
        found.append((number, "logic", m.start(), m.end(), "||" if m.group(1) == "&&" else "&&"))
    for m in re.finditer(r"(?<![\w)\]])!(?!=)", code):
        found.append((number, "negation", m.start(), m.end(), ""))
    for m in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", code):
        value = int(m.group(1))
        moved = value + 1 if value == 0 or (number + m.start()) % 2 == 0 else value - 1
        found.append((number, "constant", m.start(), m.end(), str(moved)))
    m = re.match(r"^\s*(if|while) \(", code)
    if m:
        depth = 0
        for i in range(m.end() - 1, len(code)):
            depth += {"(": 1, ")": -1}.get(code[i], 0)
            if depth == 0:
                cond = code[m.end():i]
                if ";" not in cond:  # not an if with an initialiser
                    always = m.group(1) == "if" and (number % 2 == 0)
                    found.append((number, "condition", m.end(), i, "true" if always else "false"))
                break
    if (stripped.endswith(";") and previous_end in ";{}:" and stripped.count("(") == stripped.count(")")
            and not re.match(r"^(return|case|default|break|continue|using|namespace|static_assert)\b", stripped)
            and not stripped.startswith("}") and not DECLARATION.match(stripped)):
        start = len(code) - len(code.lstrip())
        found.append((number, "statement", start, len(code.rstrip()), ";"))
    return found


def all_faults(root):
    faults = []
    for folder in FOLDERS:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith(".cpp"):
                    continue
                path = os.path.relpath(os.path.join(base, name), root)
                lines, found = places(root, path)
                for number, kind, start, end, replacement in found:
                    line = lines[number]
                    mutated = line[:start] + replacement + line[end:]
                    # A line that stands more than once in its file is told
                    # apart by its place among them: file#2 is the second.
                    same = [k for k, other in enumerate(lines) if other.strip() == line.strip()]
                    key = path if len(same) == 1 else f"{path}#{same.index(number) + 1}"
                    faults.append((path, number, kind, line, mutated, key))
    faults.sort(key=lambda f: (f[0], f[1], f[2], f[4]))
    return faults


def read_equivalent():
    """path, original line and planted line (each stripped) -> the reason."""
    explained = {}
    if os.path.exists(EQUIVALENT):
        with open(EQUIVALENT, encoding="utf-8") as f:
            for row in f:
                if row.startswith("#") or not row.strip():
                    continue
                parts = row.rstrip("\n").split("\t")
                if len(parts) == 4:
                    explained[tuple(parts[:3])] = parts[3]
    return explained


def run(command, log, timeout=None):
    with open(log, "w") as out:
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return -1


def failed_tests(log):
    names = []
    with open(log, errors="replace") as f:
        seen = False
        for row in f:
            if "The following tests FAILED" in row:
                seen = True
            elif seen:
                m = re.match(r"^\s+\d+ - (\S+)", row)
                if m:
                    names.append(m.group(1))
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--sample", type=int, required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--list", action="store_true", help="only print the faults drawn")
    args = parser.parse_args()

    # Each fault's place in the draw comes from the seed and the fault alone,
    # so a change elsewhere in the code leaves the rest of a sample as it was.
    faults = sorted(all_faults(args.tree), key=lambda f: hashlib.sha256(
        f"{args.seed}\t{f[5]}\t{f[3].strip()}\t{f[4].strip()}".encode()).hexdigest())
    explained = read_equivalent()
    # An explanation whose line has gone explains nothing: say so.
    for key, line, _ in explained:
        path, _, k = key.partition("#")
        try:
            with open(os.path.join(args.tree, path), encoding="utf-8") as f:
                same = sum(1 for other in f if other.strip() == line)
        except OSError:
            same = 0
        if same == 0 or (k and int(k) > same) or (not k and same > 1):
            print(f"warning: {os.path.basename(EQUIVALENT)} names a line that is not (or not once) "
                  f"in {path}: {line}", flush=True)
    print(f"== {args.sample} faults drawn with seed {args.seed} from {len(faults)} places", flush=True)
    if args.list:
        for path, number, kind, line, mutated, _ in faults[:args.sample]:
            print(f"{path}:{number + 1} {kind}: {line.strip()}  ->  {mutated.strip()}")
        return 0

    jobs = str(os.cpu_count() or 2)
    caught = stillborn = 0
    survivors = []
    planted = 0
    for path, number, kind, line, mutated, key in faults:
        if planted == args.sample:
            break
        file = os.path.join(args.tree, path)
        with open(file, encoding="utf-8") as f:
            original = f.read()
        text = original.split("\n")
        text[number] = mutated
        with open(file, "w", encoding="utf-8") as f:
            f.write("\n".join(text))
        try:
            where = f"{path}:{number + 1}"
            build_log = os.path.join(args.work, "sample.build.log")
            if run(["cmake", "--build", args.build, "-j" + jobs], build_log) != 0:
                stillborn += 1
                continue
            planted += 1
            test_log = os.path.join(args.work, "sample.test.log")
            started = time.time()
            code = run(["ctest", "--test-dir", args.build, "-j" + jobs, "--timeout", "60"], test_log, 1800)
            change = f"{line.strip()}  ->  {mutated.strip()}"
            if code != 0:
                caught += 1
                by = " ".join(failed_tests(test_log)[:3]) or "a timeout"
                print(f"{planted:3} caught    {where} {kind}: {change}  [{by}, {time.time() - started:.0f} s]",
                      flush=True)
            else:
                reason = explained.get((key, line.strip(), mutated.strip()))
                survivors.append((where, kind, change, reason))
                state = "equivalent" if reason else "SURVIVED"
                print(f"{planted:3} {state:9} {where} {kind}: {change}", flush=True)
        finally:
            with open(file, "w", encoding="utf-8") as f:
                f.write(original)
    # Leave the copy built as it is in the tree.
    run(["cmake", "--build", args.build, "-j" + jobs], os.path.join(args.work, "sample.build.log"))

    holes = [s for s in survivors if not s[3]]
    # An equivalent change is no fault: the score leaves them out.
    equivalent = len(survivors) - len(holes)
    print(f"\n{caught} of {planted} faults caught, {equivalent} explained as equivalent: "
          f"a score of {caught} of {planted - equivalent} ({100.0 * caught / max(planted - equivalent, 1):.1f} %); "
          f"{stillborn} drawn that did not build were drawn again")
    if survivors:
        print(f"survivors ({len(survivors) - len(holes)} explained in {os.path.basename(EQUIVALENT)}, "
              f"{len(holes)} holes):")
        for where, kind, change, reason in survivors:
            print(f"  {where} {kind}: {change}\n      {reason or 'HOLE: no test catches it'}")
    return 1 if holes else 0


if __name__ == "__main__":
    sys.exit(main())
