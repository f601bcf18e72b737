#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program against the simulated amplifier
# (a "QOR 82" on port 1). The program folder is build/bin, or the folder QOR_PROGRAM_DIR names.
#
# The first start finds no user.ini, says so, writes one from the device and ends; this script
# then starts the program again, which connects and shows the main window.
#
# With no desktop (DISPLAY unset) the program runs on a virtual display with a window manager,
# served to a web browser on this machine's loopback address: the last line printed before the
# program starts is the address to open. QOR_WEB_PORT chooses its port (default: the first free
# one from 6080).
#
# Ctrl-C or TERM stops the program (asked to close first), the simulated amplifier and, without
# a desktop, the display and its servers.
set -euo pipefail
if [ -n "${QOR_WEB_PORT:-}" ] && ! [[ $QOR_WEB_PORT =~ ^[0-9]+$ && $QOR_WEB_PORT -ge 1 &&
    $QOR_WEB_PORT -le 65535 ]]; then
    echo "QOR_WEB_PORT=$QOR_WEB_PORT is not a port number" >&2
    exit 2
fi
source "$(dirname "$0")/sim-env.sh"

# The VNC server on the display, on the loopback address and the first free port from 5900;
# sets vnc_port. Two runs that start at once may try the same port: the later one tries again.
start_vnc() {
    for _ in 1 2 3; do
        spawn x11vnc -display "$DISPLAY" -localhost -noipv6 -forever -shared -nopw \
            -o "$work/vnc.log" > "$work/vnc.out" 2> /dev/null
        if await_line "${pids[-1]}" "$work/vnc.out" '^PORT='; then
            vnc_port=$(sed -n 's/^PORT=//p' "$work/vnc.out")
            return 0
        fi
        stop "${pids[-1]}"
        unset 'pids[-1]'
    done
    echo "the VNC server did not start: $(tail -n 5 "$work/vnc.log")" >&2
    exit 1
}

# The web client and its web socket to the VNC server, on the loopback address: on QOR_WEB_PORT,
# or on the first free port from 6080; sets web_port.
start_web() {
    local port=${QOR_WEB_PORT:-6080} last=${QOR_WEB_PORT:-6179}
    while ((port <= last)); do
        PYTHONUNBUFFERED=1 spawn websockify --web /usr/share/novnc "127.0.0.1:$port" \
            "127.0.0.1:$vnc_port" > "$work/web.log" 2>&1
        if await_line "${pids[-1]}" "$work/web.log" 'proxying from'; then
            web_port=$port
            return 0
        fi
        stop "${pids[-1]}"
        unset 'pids[-1]'
        if ! grep -q "Address already in use" "$work/web.log"; then
            echo "the web server did not start: $(tail -n 5 "$work/web.log")" >&2
            exit 1
        fi
        port=$((port + 1))
    done
    if [ -n "${QOR_WEB_PORT:-}" ]; then
        echo "port $QOR_WEB_PORT (QOR_WEB_PORT) is taken" >&2
    else
        echo "no free web port from 6080 to 6179; QOR_WEB_PORT chooses another" >&2
    fi
    exit 1
}

start_sim --rds "QOR RADIO - NOW PLAYING JAZZ"
echo "simulated amplifier: $(head -n 1 "$work/sim.out")"

if [ -z "${DISPLAY:-}" ]; then
    start_display
    start_window_manager
    # The windows go to that display, whatever platform Qt was told to use.
    export QT_QPA_PLATFORM=xcb
    start_vnc
    start_web
    echo "no DISPLAY: the program runs on the virtual display $DISPLAY (VNC server" \
        "127.0.0.1:$vnc_port), seen in a web browser at"
    echo "http://localhost:$web_port/vnc.html?autoconnect=1&resize=scale"
fi

export QOR_PROGRAM_DIR="${QOR_PROGRAM_DIR:-$bin}"
# The program reads its pictures from its folder too.
mkdir -p "$QOR_PROGRAM_DIR"
[ "$QOR_PROGRAM_DIR" -ef "$bin" ] || cp -n "$bin"/*.png "$bin"/*.gif "$bin"/*.ico "$QOR_PROGRAM_DIR/"

# Runs the program until it ends; a Ctrl-C or TERM meanwhile closes it on the way out.
run_program() {
    spawn "$bin/qor-pc-manager"
    program=${pids[-1]}
    unset 'pids[-1]'
    wait "$program" || true
    program=""
}

[ -f "$QOR_PROGRAM_DIR/user.ini" ] || run_program
run_program
