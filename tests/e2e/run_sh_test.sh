#!/bin/bash
# ./run.sh as a new user runs it: unattended, so a script whose window never appears and
# a file that is not a script end by themselves with exit code 1 and their box lines on
# standard error and in the printed log; a run longer than ZORBEL_TIMEOUT is ended by
# its process id with exit code 124. Each run has its own outer time limit far above.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
failures=0
expect() {  # expect DESCRIPTION COMMAND...
    local what="$1"
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
run() {  # run NAME SCRIPT [ENV...]: out, err and code of ./run.sh SCRIPT
    env "${@:3}" timeout 240 "$ROOT/run.sh" "$2" >"$WORK/$1.out" 2>"$WORK/$1.err"
    echo $? >"$WORK/$1.code"
}

printf 'hello, world\r\n' >"$WORK/not a script.zbx"
run load "$WORK/not a script.zbx"
expect "a file that is not a script exits with 1" grep -qx 1 "$WORK/load.code"
expect "its load error box is on standard error" \
    grep -q '^Unattended: "Load Error" box: .*This file does not appear to be a valid Zorbel file (v4 or v5). -> answered OK' "$WORK/load.err"
expect "its box lines are in the printed log" grep -q "Unattended: \"Error\" box: Unable to load '" "$WORK/load.out"

cat >"$WORK/missing window.zbx" <<'XML'
<?xml version="1.0" ?>
<Zorbel>
<step>
	<action>Activate</action>
	<text>Zorbel run.sh No Such Window</text>
	<timeout>1</timeout>
</step>
</Zorbel>
XML
run window "$WORK/missing window.zbx"
expect "a missing step window exits with 1" grep -qx 1 "$WORK/window.code"
expect "its failure box is on standard error" \
    grep -q "^Unattended: \"Zorbel Run Failure\" box: Error while running step #1:  Activate .*Unable to find window 'Zorbel run.sh No Such Window' -> answered OK" "$WORK/window.err"
expect "the printed log ends the run" grep -q 'RUN FAILED' "$WORK/window.out"
expect "the exit code is printed" grep -qx 'run.sh: exit code 1' "$WORK/window.out"

run timeout "$ROOT/tests/e2e/scripts/long_running.zbx" ZORBEL_TIMEOUT=3
expect "a run past ZORBEL_TIMEOUT exits with 124" grep -qx 124 "$WORK/timeout.code"
expect "and says it ended the program by its process id" \
    grep -q '^run.sh: the run took longer than 3 s (ZORBEL_TIMEOUT); ending zorbel.exe, process [0-9]' "$WORK/timeout.err"

if [ $failures -gt 0 ]; then
    for f in "$WORK"/*.out "$WORK"/*.err; do echo "== $f"; cat "$f"; done
    exit 1
fi
