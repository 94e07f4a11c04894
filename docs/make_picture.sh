#!/bin/bash
# Makes docs/editor.png, the README's picture of the editor: starts the editor on the
# bundled demo script in the private display, captures its window and converts it.
#   docs/make_picture.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build build/win32 -j "${JOBS:-2}" --target zorbel win_tests >/dev/null
source tools/wine-session.sh
zorbel_session_start
BMP="$(mktemp --suffix=.bmp)"
ZORBEL_PICTURE="$(winepath -w "$BMP")" wine build/win32/tests/win_tests.exe \
    --gtest_also_run_disabled_tests --gtest_filter='EditorPicture.DISABLED_Readme'
python3 docs/bmp_to_png.py "$BMP" docs/editor.png
rm -f "$BMP"
echo "docs/editor.png written"
