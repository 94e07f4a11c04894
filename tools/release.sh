#!/bin/bash
# Builds the Windows programs and packs them for Windows users:
#   tools/release.sh [OUTPUT_FOLDER]     (default: build/release)
# gives OUTPUT_FOLDER/zorbel-<version>-win32.zip holding zorbel.exe, Zorbel.LIB (the
# player the compiler copies; it must stay beside zorbel.exe), the examples and a
# short read-me. The version is ZORBEL_VERSION, else the latest git tag or commit.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="${1:-$ROOT/build/release}"
VERSION="${ZORBEL_VERSION:-$(git -C "$ROOT" describe --tags --always 2>/dev/null || echo dev)}"
mkdir -p "$OUT"
OUT="$(cd "$OUT" && pwd)"
if [ "${ZORBEL_RELEASE_NO_BUILD:-0}" != 1 ]; then
    (cd "$ROOT" && cmake --preset win32 >/dev/null && cmake --build build/win32 -j "${JOBS:-2}" --target zorbel zorbel_player >/dev/null)
fi
STAGE="$(mktemp -d "${TMPDIR:-/tmp}/zorbel-release.XXXXXX")"
trap 'rm -rf "$STAGE"' EXIT
NAME="zorbel-$VERSION-win32"
mkdir -p "$STAGE/$NAME/examples"
cp "$ROOT/build/win32/zorbel.exe" "$ROOT/build/win32/Zorbel.LIB" "$STAGE/$NAME/"
cp "$ROOT"/examples/*.zbx "$STAGE/$NAME/examples/"
printf '%s\r\n' \
    "Zorbel $VERSION for Windows" \
    "" \
    "Unzip this folder anywhere and start zorbel.exe. Keep Zorbel.LIB beside it: compiling" \
    "a script into a program copies it." \
    "" \
    "  zorbel.exe /r script.zbx                      run a script and exit" \
    "  zorbel.exe /compile [\"out.exe\"] script.zbx    compile a script into a program and exit" \
    "  zorbel.exe /?                                 all switches" \
    "" \
    "The examples folder holds a script to start from. Runs are logged to the file named" \
    "by the Logfile setting (C:\\ZorbelLog.txt at first) when logging is on (/L)." \
    >"$STAGE/$NAME/README.txt"
rm -f "$OUT/$NAME.zip"
(cd "$STAGE" && python3 - "$OUT/$NAME.zip" "$NAME" <<'PY'
import os, sys, zipfile
target, folder = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
    for base, _, files in os.walk(folder):
        for f in sorted(files):
            z.write(os.path.join(base, f))
PY
)
echo "$OUT/$NAME.zip"
