#!/bin/bash
# Installs what is missing, builds the Windows programs and runs a script with the
# editor's "/r" switch under Wine, then prints its run log.
#   ./run.sh [script.zbx]     (no argument: the bundled demo, examples/demo.zbx)
#   ./run.sh --editor [script.zbx]   opens the editor (on your display when DISPLAY is set)
#   ./run.sh --compile script.zbx   compiles the script to script.exe beside it with
#                                   "zorbel /compile" and runs that program instead
set -uo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--editor" ]; then
    shift
    if [ $# -gt 0 ] && [ ! -f "$1" ]; then
        echo "run.sh: no such script: $1" >&2
        exit 2
    fi
    ./tools/setup.sh || exit 1
    cmake --preset win32 >/dev/null || exit 1
    cmake --build build/win32 -j "${JOBS:-2}" --target zorbel zorbel_player >/dev/null || {
        echo "run.sh: build failed; rerun with: cmake --build build/win32" >&2
        exit 1
    }
    # With a display of your own the editor opens there; otherwise in the private one.
    if [ -n "${DISPLAY:-}" ]; then export ZORBEL_USE_DISPLAY=1; fi
    source tools/wine-session.sh
    zorbel_session_start || exit 1
    ARGS=()
    if [ $# -gt 0 ]; then ARGS=(/e "$(winepath -w "$(realpath "$1")" 2>/dev/null)"); fi
    wine build/win32/zorbel.exe "${ARGS[@]}"
    code=$?
    echo "run.sh: the editor closed with exit code $code"
    exit $code
fi
COMPILE=0
if [ "${1:-}" = "--compile" ]; then
    COMPILE=1
    shift
    [ $# -ge 1 ] || { echo "run.sh: --compile needs a script" >&2; exit 2; }
fi
DEMO=0
if [ $# -eq 0 ]; then DEMO=1; fi
SCRIPT="${1:-examples/demo.zbx}"
if [ ! -f "$SCRIPT" ]; then
    echo "run.sh: no such script: $SCRIPT" >&2
    exit 2
fi

./tools/setup.sh || exit 1
cmake --preset win32 >/dev/null || exit 1
cmake --build build/win32 -j "${JOBS:-2}" --target zorbel zorbel_player >/dev/null || {
    echo "run.sh: build failed; rerun with: cmake --build build/win32" >&2
    exit 1
}

source tools/wine-session.sh
zorbel_session_start || exit 1
WIN_SCRIPT="$(winepath -w "$(realpath "$SCRIPT")" 2>/dev/null)"
EXTRA=()
if [ $DEMO = 1 ]; then
    # The demo types into Notepad; Zorbel's own program-starting actions come later,
    # so the demo's Notepad is started here.
    DEMO_FILE="$WINEPREFIX/drive_c/ZorbelDemo.txt"
    rm -f "$DEMO_FILE"
    wine notepad.exe </dev/null >/dev/null 2>&1 &
    EXTRA=('demofile=C:\ZorbelDemo.txt')
fi
# "/L" turns the run log on; the log goes to the "Logfile" setting (C:\ZorbelLog.txt at first).
if [ $COMPILE = 1 ]; then
    EXE="${SCRIPT%.*}.exe"
    timeout 120 wine build/win32/zorbel.exe /compile "$WIN_SCRIPT"
    code=$?
    if [ $code = 0 ] && [ -f "$EXE" ]; then
        echo "run.sh: compiled $EXE; running it"
        timeout "${RUN_TIMEOUT:-600}" wine "$EXE" /L "${EXTRA[@]}"
        code=$?
    else
        echo "run.sh: the compile failed (exit code $code); its messages are in the log below" >&2
    fi
else
    timeout "${RUN_TIMEOUT:-600}" wine build/win32/zorbel.exe /L /r "$WIN_SCRIPT" "${EXTRA[@]}"
    code=$?
fi
LOGFILE="$(wine reg query 'HKCU\Software\Zorbel' /v Logfile 2>/dev/null | tr -d '\r' |
           sed -n 's/.*REG_[A-Z_]*[[:space:]]*//p' | head -1)"
LOGFILE_UNIX="$(winepath -u "${LOGFILE:-C:\ZorbelLog.txt}" 2>/dev/null)"
if [ -f "$LOGFILE_UNIX" ]; then
    cat "$LOGFILE_UNIX"
else
    echo "run.sh: no run log at ${LOGFILE:-C:\ZorbelLog.txt}"
fi
if [ $DEMO = 1 ] && [ -f "$DEMO_FILE" ]; then
    echo "run.sh: the demo's Notepad saved C:\\ZorbelDemo.txt:"
    tr -d '\r' <"$DEMO_FILE"
fi
echo "run.sh: exit code $code"
exit $code
