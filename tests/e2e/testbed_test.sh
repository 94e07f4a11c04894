#!/bin/bash
# End-to-end: real X input, sent with xdotool, reaches zbtestbed.exe running under Wine and
# shows up in its event log (clicks on a button, a check box and the click area, typed text,
# menus chosen with Alt+letter), and File > Exit ends it with exit code 0.
#   testbed_test.sh BUILD_DIR      (ctest passes the build folder; exit 0 = pass)
# Uses the Wine session of ZORBEL_DISPLAY when one is running, else starts its own.
# Positions come from the READY line (client origin on Wine's screen) plus the control
# rectangles in tests/testbed/testbed_ids.h, plus the place of Wine's virtual desktop window
# on the X screen.
set -u

# A hard limit for the whole run: the script runs again under timeout.
if [ -z "${ZB_TESTBED_E2E_TIMED:-}" ]; then
    export ZB_TESTBED_E2E_TIMED=1
    exec timeout -k 5 90 bash "$0" "$@"
fi

BUILD="${1:?usage: testbed_test.sh BUILD_DIR}"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
EXE="$BUILD/zbtestbed.exe"
IDS="$ROOT/tests/testbed/testbed_ids.h"
DEADLINE_S=15

fail_count=0
ok() { echo "ok - $*"; }
bad() { echo "FAIL - $*"; fail_count=$((fail_count + 1)); }

if [ ! -f "$EXE" ]; then
    echo "FAIL - $EXE is missing (build the zbtestbed target)"
    exit 1
fi
command -v xdotool >/dev/null || { echo "FAIL - xdotool is not installed"; exit 1; }

TMP="$(mktemp -d /tmp/zbtestbed-e2e.XXXXXX)"
LOG="$TMP/events.txt"
WINLOG="Z:${LOG//\//\\}"
TITLE="Zorbel Testbed e2e $$"
PID=

# shellcheck disable=SC2317  # called through the traps
cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill "$PID" 2>/dev/null
        for _ in $(seq 1 50); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$PID" 2>/dev/null
    fi
    [ -n "$PID" ] && wait "$PID" 2>/dev/null
    rm -rf "$TMP"
    [ "${OWN_SESSION:-0}" = 1 ] && zorbel_session_stop
}
trap cleanup EXIT
trap 'echo "FAIL - stopped by a signal"; exit 124' TERM INT

if [ -n "${ZORBEL_DISPLAY:-}" ]; then
    export DISPLAY="$ZORBEL_DISPLAY"
else
    # shellcheck source=SCRIPTDIR/../../tools/wine-session.sh
    source "$ROOT/tools/wine-session.sh"
    zorbel_session_start || { echo "FAIL - no Wine session"; exit 1; }
    OWN_SESSION=1
    trap cleanup EXIT  # zorbel_session_start set its own; cleanup stops the session too
fi

# wait_line LINE: waits until LINE (exact) is in the log.
wait_line() {
    local end=$((SECONDS + DEADLINE_S))
    while [ $SECONDS -lt $end ]; do
        grep -qxF -- "$1" "$LOG" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

# wait_match REGEX: waits until a whole line matching the extended REGEX is in the log.
wait_match() {
    local end=$((SECONDS + DEADLINE_S))
    while [ $SECONDS -lt $end ]; do
        grep -qxE -- "$1" "$LOG" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

# check_line LINE WHAT: one check, passed when LINE appears in the log in time.
check_line() {
    if wait_line "$1"; then ok "$2"; else bad "$2: no line \"$1\" in the log"; fi
}

# control_rect NAME: "x y width height" of a control from its row in testbed_ids.h.
control_rect() {
    grep -E "^\s*\{$1, ControlKind" "$IDS" | head -1 |
        sed -E 's/.*", *([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+),.*/\1 \2 \3 \4/'
}
constant() { grep -E "constexpr int $1 = " "$IDS" | head -1 | sed -E 's/.*= *([0-9]+);.*/\1/'; }

"$ROOT/tools/wine-run.sh" "$EXE" /log "$WINLOG" /pos 60 40 /title "$TITLE" >/dev/null 2>&1 &
PID=$!

end=$((SECONDS + DEADLINE_S))
ready=
while [ $SECONDS -lt $end ] && [ -z "$ready" ]; do
    ready="$(grep -m1 '^READY ' "$LOG" 2>/dev/null)"
    [ -n "$ready" ] && break
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$ready" ]; then
    echo "FAIL - the testbed wrote no READY line within ${DEADLINE_S} s"
    cat "$LOG" 2>/dev/null
    exit 1
fi
ok "started: $ready"

# Wine's screen is the virtual desktop's window; find where that window is on the X screen.
dx=0 dy=0
desk="$(xdotool search --name 'Wine desktop' 2>/dev/null | head -1)"
if [ -n "$desk" ]; then
    eval "$(xdotool getwindowgeometry --shell "$desk" | grep -E '^(X|Y)=')"
    dx=${X:-0} dy=${Y:-0}
fi
client="$(sed -E 's/.* client=([-0-9]+),([-0-9]+),.*/\1 \2/' <<<"$ready")"
read -r cx cy <<<"$client"

# click_at CLIENT_X CLIENT_Y [BUTTON]: a real click at a point of the testbed's client area.
click_at() {
    xdotool mousemove $((dx + cx + $1)) $((dy + cy + $2)) click "${3:-1}"
}
# centre_of NAME: client coordinates of a control's centre.
centre_of() {
    local x y w h
    read -r x y w h <<<"$(control_rect "$1")"
    echo "$((x + w / 2)) $((y + h / 2))"
}

# A push button.
read -r bx by <<<"$(centre_of kApplyButton)"
click_at "$bx" "$by"
check_line "LBUTTONDOWN x=$bx y=$by ctl=1001 sx=$((cx + bx)) sy=$((cy + by))" "button press at its centre"
check_line "BUTTON 1001 clicked" "button click"

# A check box.
read -r kx ky <<<"$(centre_of kBoldCheck)"
click_at "$kx" "$ky"
check_line "CHECK 1002 checked" "check box click"

# Typed text replaces the selected text of the one-line edit.
read -r ex ey <<<"$(centre_of kNameEdit)"
click_at "$ex" "$ey"
wait_line "FOCUS ctl=1010" || bad "the edit did not get the focus"
xdotool key End shift+Home
xdotool type --delay 30 'Zorbel 42'
check_line "CHAR 'Z' 0x5A ctl=1010" "typed capital letter"
check_line "KEYDOWN vk=0x34 scan=0x05 ext=0 ctl=1010" "typed digit key"
check_line "TEXT 1010 changed: Zorbel 42" "typed text in the edit"

# The click area reports client coordinates.
ax=$(( $(constant kClickAreaX) + 80 )) ay=$(( $(constant kClickAreaY) + 60 ))
click_at "$ax" "$ay"
check_line "LBUTTONDOWN x=$ax y=$ay ctl=0 sx=$((cx + ax)) sy=$((cy + ay))" "left click in the click area"
click_at "$ax" "$ay" 3
check_line "RBUTTONDOWN x=$ax y=$ay ctl=0 sx=$((cx + ax)) sy=$((cy + ay))" "right click in the click area"

# Menus through Alt+letter and the letters of the submenus; the letters go after the menu has
# been entered (its SC_KEYMENU is logged).
xdotool key alt+o
wait_match "SYSCOMMAND 0xF100 KEYMENU ctl=[-0-9]+" || bad "Alt+O did not enter the menu"
xdotool key l t
check_line "MENU 40202 Options>Level>Two" "menu Options > Level > Two by keys"

# File > Exit closes the window; the program ends with exit code 0.
n_menus=$(grep -c '^SYSCOMMAND 0xF100 KEYMENU' "$LOG")
xdotool key alt+f
end=$((SECONDS + DEADLINE_S))
while [ $SECONDS -lt $end ] && [ "$(grep -c '^SYSCOMMAND 0xF100 KEYMENU' "$LOG")" -le "$n_menus" ]; do sleep 0.05; done
xdotool key x
check_line "MENU 40009 File>Exit" "menu File > Exit by keys"
check_line "EXIT code=0" "the message loop ended"
end=$((SECONDS + DEADLINE_S))
while [ $SECONDS -lt $end ] && kill -0 "$PID" 2>/dev/null; do sleep 0.05; done
if kill -0 "$PID" 2>/dev/null; then
    bad "the testbed still runs after File > Exit"
else
    wait "$PID"
    code=$?
    PID=
    if [ "$code" = 0 ]; then ok "exit code 0"; else bad "exit code $code, not 0"; fi
fi

if [ $fail_count -gt 0 ]; then
    echo "--- event log:"
    cat "$LOG"
    exit 1
fi
exit 0
