#!/bin/bash
# Runs a Windows program under Wine with the project's prefix and passes its exit code through.
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
# Inside a Wine session (ZORBEL_DISPLAY set, see tools/wine-session.sh) it uses that
# display and wineserver. Otherwise it starts a private Xvfb display and a wineserver,
# and stops both afterwards; ZORBEL_USE_DISPLAY=1 uses the caller's DISPLAY instead.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ $# -lt 1 ]; then
    echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2
    exit 2
fi

if [ -n "${ZORBEL_DISPLAY:-}" ]; then
    export DISPLAY="$ZORBEL_DISPLAY"
    # A program the test leaves running, or one Wine starts for it, inherits the test's
    # output; written through a file, it cannot keep the caller (ctest) waiting for the
    # output to close after the test has ended.
    out="$(mktemp)"
    wine "$@" >"$out" 2>&1
    code=$?
    cat "$out"
    rm -f "$out"
    exit $code
fi

own_display=0
if [ "${ZORBEL_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    zorbel_start_display
    own_display=1
fi
cleanup() {
    zorbel_stop_wineserver
    [ $own_display = 1 ] && zorbel_stop_display
}
trap cleanup EXIT
zorbel_ensure_prefix || exit 125
zorbel_start_wineserver
wine "$@"
exit $?
