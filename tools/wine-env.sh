# Sourced by the Wine scripts: the project's Wine prefix, display and wineserver.
# Everything here acts on the project-local prefix only.

ZORBEL_ROOT="${ZORBEL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${ZORBEL_WINEPREFIX:-$ZORBEL_ROOT/.wine-prefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts in a test prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
ZORBEL_SCREEN="${ZORBEL_SCREEN:-1280x1024}"

zorbel_log() { [ -n "${ZORBEL_WINE_VERBOSE:-}" ] && echo "wine-env: $*" >&2; return 0; }

# Creates the prefix once: a 32-bit prefix, no crash debugger (a crash must end the
# program, never hang it), and Wine's virtual desktop so windows get real frames.
zorbel_ensure_prefix() {
    [ -f "$WINEPREFIX/.zorbel-ready" ] && return 0
    echo "wine-env: creating the Wine prefix $WINEPREFIX (once)" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || { echo "wine-env: wineboot failed" >&2; return 1; }
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$ZORBEL_SCREEN" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zorbel-ready"
}

# Removes the keymap entries that bind '(' and ')' to keycodes with no virtual key,
# so that Wine types them.
zorbel_fix_keymap() {
    local km
    km="$(mktemp)"
    if xkbcomp -xkb "$DISPLAY" "$km" 2>/dev/null; then
        sed -i '/key <I187>/d; /key <I188>/d' "$km"
        xkbcomp -w0 "$km" "$DISPLAY" >/dev/null 2>&1 || true
    fi
    rm -f "$km"
}

# Starts a private Xvfb display and exports DISPLAY; ZORBEL_XVFB_PID names it.
zorbel_start_display() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${ZORBEL_SCREEN}x24" -nolisten tcp >/dev/null 2>&1 &
    ZORBEL_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
        xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
        sleep 0.05
    done
    zorbel_fix_keymap
    zorbel_log "display $DISPLAY (Xvfb $ZORBEL_XVFB_PID)"
}

zorbel_stop_display() {
    if [ -n "${ZORBEL_XVFB_PID:-}" ]; then
        kill "$ZORBEL_XVFB_PID" 2>/dev/null
        wait "$ZORBEL_XVFB_PID" 2>/dev/null
        ZORBEL_XVFB_PID=
    fi
}

# A persistent wineserver keeps each program start at about 50 ms. Wine's own
# background programs (services, the virtual desktop) are started here with their
# output detached: started later by a test program, they would inherit its output
# pipe and keep a caller such as ctest waiting for the pipe to close.
zorbel_start_wineserver() {
    wineserver -p >/dev/null 2>&1 || true
    wine explorer.exe "/desktop=Default,$ZORBEL_SCREEN" </dev/null >/dev/null 2>&1 &
    wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
}
zorbel_stop_wineserver() { wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; }
