# Sourced by scripts that run many Windows programs (./test.sh, ./run.sh):
#   source tools/wine-session.sh; zorbel_session_start; ...; (stopped on exit)
# One private display and one persistent wineserver serve every program started in
# between; wine-run.sh sees ZORBEL_DISPLAY and reuses them.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

zorbel_session_start() {
    if [ "${ZORBEL_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        ZORBEL_XVFB_PID=
    else
        zorbel_start_display
    fi
    export ZORBEL_DISPLAY="$DISPLAY"
    zorbel_ensure_prefix || return 1
    zorbel_start_wineserver
    trap zorbel_session_stop EXIT
}

zorbel_session_stop() {
    zorbel_stop_wineserver
    zorbel_stop_display
    unset ZORBEL_DISPLAY
}
