# Sourced: start_xvfb starts a private virtual display (unless one is given in
# DISPLAY) and exports DISPLAY; stop_xvfb stops it again.
LIRVO_XVFB_PID=
start_xvfb() {
    [ -n "${DISPLAY:-}" ] && return 0
    local fd_file
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    LIRVO_XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$fd_file" ]; then
        echo "Xvfb did not start" >&2
        rm -f "$fd_file"
        return 1
    fi
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
}
stop_xvfb() {
    if [ -n "$LIRVO_XVFB_PID" ]; then
        kill "$LIRVO_XVFB_PID" 2>/dev/null || true
        wait "$LIRVO_XVFB_PID" 2>/dev/null || true
        LIRVO_XVFB_PID=
    fi
}
