#!/bin/bash
# Checks the release package as a user gets it: unzips it into a fresh folder (with a
# blank in its name), then compiles a script with the unzipped zorbel.exe and runs
# the program, under Wine.  tools/release_test.sh [BUILD_DIR]
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
WORK="$(mktemp -d "${TMPDIR:-/tmp}/zorbel-release-test.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
fail() { echo "release_test: $*" >&2; exit 1; }

ZIP="$(ZORBEL_VERSION=test ZORBEL_RELEASE_NO_BUILD=1 "$ROOT/tools/release.sh" "$WORK/out" | tail -1)" || fail "release.sh failed"
[ -f "$ZIP" ] || fail "no package"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$ZIP" "$WORK/fresh place" ||
    fail "cannot unzip"
DIR="$WORK/fresh place/zorbel-test-win32"
for f in zorbel.exe Zorbel.LIB README.txt examples/demo.zbx; do [ -f "$DIR/$f" ] || fail "missing $f"; done

printf '<?xml version="1.0" ?>\r\n<Zorbel>\r\n<step>\r\n\t<action>Exit Run</action>\r\n\t<timeout>5</timeout>\r\n</step>\r\n</Zorbel>\r\n' >"$DIR/five.zbx"
WIN_SCRIPT="$(winepath -w "$DIR/five.zbx" 2>/dev/null)"
"$ROOT/tools/wine-run.sh" "$DIR/zorbel.exe" /compile "$WIN_SCRIPT" >/dev/null 2>&1
code=$?
[ $code = 0 ] || fail "compile exit code $code"
[ -f "$DIR/five.exe" ] || fail "no five.exe"
"$ROOT/tools/wine-run.sh" "$DIR/five.exe" >/dev/null 2>&1
code=$?
[ $code = 5 ] || fail "five.exe exit code $code, expected 5"
echo "release_test: passed"
