# Sourced by the scripts that need a display. When there is none, start_virtual_display starts a
# virtual one (Xvfb) on a free display number, with any further Xvfb options given, and exports
# DISPLAY; xvfb_pid is then its process, for the caller to end, and empty when a display was there
# already. Returns 1 when the virtual display does not come up.
start_virtual_display() {
    xvfb_pid=""
    if [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local number_file number
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$number_file" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    number="$(head -n 1 "$number_file")"
    rm -f "$number_file"
    if [ -z "$number" ]; then
        return 1
    fi
    export DISPLAY=":$number"
}
