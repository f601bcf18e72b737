#!/usr/bin/env bash
# The run command as a newcomer uses it, against the real program and the simulated amplifier.
#
# With no desktop, two runs side by side, one on a web port chosen by QOR_WEB_PORT: each prints
# its own address, serves the web client there and, through the client's web socket, the
# display's VNC server. The start-up questions and the first start's notice are answered on the
# display until the main window is up; TERM then stops everything the run started.
#
# On a desktop (an X display with a window manager that the run did not start): Ctrl-C, with the
# settings panel open too, closes the program and stops the rest, and leaves the desktop alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/processes.sh"
source "$root/scripts/program-windows.sh"

# Real windows on real displays, also when the other tests are told to draw off screen.
unset QT_QPA_PLATFORM
work=$(mktemp -d)
pids=()
runs=()
finish() {
    local r i
    for r in "${runs[@]}"; do kill -TERM "$r" 2> /dev/null || true; done
    for r in "${runs[@]}"; do wait "$r" 2> /dev/null || true; done
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    rm -rf "$work"
}
trap finish EXIT

fail() {
    echo "FAIL: $*" >&2
    local f
    for f in "$work"/*.out; do echo "--- $f" >&2 && grep -v '^\[' "$f" >&2; done
    exit 1
}

# Starts run.sh as the job of a terminal would be: a process group of its own, Ctrl-C not
# ignored; with the environment changes $2...; its output goes to $work/$1.out and its process
# to run_$1.
start_run() {
    local name=$1
    shift
    set -m
    env "$@" "$root/scripts/run.sh" > "$work/$name.out" 2>&1 &
    set +m
    runs+=($!)
    printf -v "run_$name" %s $!
}

# The processes under process $1 and itself, each as pid:start (a number given again to a new
# process is not taken for one of these).
started_at() { sed 's/.*) //' "/proc/$1/stat" 2> /dev/null | awk '{ print $20 }'; }
tree() {
    local all todo=("$1") p c out=""
    all=$(ps -e -o pid=,ppid=)
    while ((${#todo[@]})); do
        p=${todo[0]}
        todo=("${todo[@]:1}")
        out+="$p:$(started_at "$p") "
        for c in $(awk -v p="$p" '$2 == p { print $1 }' <<< "$all"); do todo+=("$c"); done
    done
    echo "$out"
}
# Those of a tree still running, with their command lines.
left() {
    local entry
    for entry in $1; do
        if running "${entry%%:*}" && [ "$(started_at "${entry%%:*}")" = "${entry#*:}" ]; then
            tr '\0' ' ' < "/proc/${entry%%:*}/cmdline"
            echo
        fi
    done
}

# Sends signal $2 as given ("-TERM 123" to the run, "-INT -- -123" to its terminal's process
# group) to run $1 and waits until it has ended and nothing it started is left.
stop_run() {
    local name=$1 pid
    pid=$(eval echo "\$run_$name")
    shift
    local before
    before=$(tree "$pid")
    kill "$@"
    for _ in $(seq 600); do
        running "$pid" || break
        sleep 0.1
    done
    running "$pid" && fail "run $name did not end after $*"
    wait "$pid" 2> /dev/null || true
    local rest
    rest=$(left "$before")
    [ -z "$rest" ] || fail "run $name left running: $rest"
    ! grep -q "did not close" "$work/$name.out" || fail "run $name killed the program"
}

# The address a headless run prints, its display and its VNC server's port.
address() {
    local pid
    pid=$(eval echo "\$run_$1")
    await_line "$pid" "$work/$1.out" '^http://localhost:[0-9]*/vnc.html' 300 ||
        fail "run $1 printed no address"
    grep -o '^http://localhost:[0-9]*/vnc.html?autoconnect=1.*' "$work/$1.out"
}
display_of() { grep -o 'virtual display :[0-9]*' "$work/$1.out" | cut -d ' ' -f 3; }
port_of() { sed 's|^http://localhost:\([0-9]*\)/.*|\1|' <<< "$1"; }

# The first bytes the VNC server sends through the web socket on port $1: its protocol greeting.
greeting_through_socket() {
    python3 - "$1" << 'EOF'
import socket, sys
s = socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=10)
s.sendall(b"GET /websockify HTTP/1.1\r\nHost: localhost\r\nUpgrade: websocket\r\n"
          b"Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
          b"Sec-WebSocket-Version: 13\r\nSec-WebSocket-Protocol: binary\r\n\r\n")
data = b""
while b"\r\n\r\n" not in data:
    more = s.recv(4096)
    if not more:
        sys.exit("the web socket closed during the handshake")
    data += more
head, data = data.split(b"\r\n\r\n", 1)
if b" 101 " not in head.split(b"\r\n")[0]:
    sys.exit("no web socket: " + head.decode(errors="replace"))
while len(data) < 2 or len(data) < 2 + (data[1] & 0x7F):
    data += s.recv(4096)
print(data[2 : 2 + (data[1] & 0x7F)].decode(errors="replace").strip())
EOF
}

# --- no desktop, two runs side by side --------------------------------------------------------

free_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# The second starts once the first has built the program, so the two do not build at once.
start_run a -u DISPLAY QOR_PROGRAM_DIR="$work/a"
url_a=$(address a)
start_run b -u DISPLAY QOR_PROGRAM_DIR="$work/b" QOR_WEB_PORT="$free_port"
url_b=$(address b)
[ "$(port_of "$url_b")" = "$free_port" ] || fail "QOR_WEB_PORT=$free_port not used: $url_b"
[ "$(port_of "$url_a")" != "$free_port" ] || fail "both runs on web port $free_port"
[ -n "$(display_of a)" ] && [ "$(display_of a)" != "$(display_of b)" ] ||
    fail "displays '$(display_of a)' and '$(display_of b)'"

for run in a b; do
    url=$(eval echo "\$url_$run")
    port=$(port_of "$url")
    curl -fsS --max-time 10 "$url" | grep -q "<title>noVNC</title>" || fail "no web client at $url"
    vnc=$(grep -o 'VNC server 127.0.0.1:[0-9]*' "$work/$run.out" | cut -d : -f 2)
    [ -n "$vnc" ] || fail "run $run names no VNC server"
    for p in "$port" "$vnc"; do
        listening=$(ss -H -ltn "sport = :$p" | awk '{ print $4 }')
        [ "$listening" = "127.0.0.1:$p" ] || fail "port $p listens on '$listening'"
    done
    greeting=$(greeting_through_socket "$port") || fail "no web socket on port $port"
    [[ $greeting == "RFB 003."* ]] || fail "the web socket on port $port gave '$greeting'"
done

# The second run is stopped while its start-up question is open.
for _ in $(seq 240); do
    [ -n "$(DISPLAY=$(display_of b) program_windows)" ] && break
    sleep 0.25
done
stop_run b -TERM "$run_b"

export DISPLAY
DISPLAY=$(display_of a)
answer 60 || fail "no start-up question"
answer 60 || fail "no notice of the missing user.ini"
answer 60 || fail "no start-up question at the second start"
[ -n "$(menu_window 60)" ] || fail "no main window with its menu enabled"
[ -s "$work/a/user.ini" ] || fail "the first start wrote no user.ini"
web_a=$(port_of "$url_a")
stop_run a -TERM "$run_a"
# Its socket is gone, or belongs to a display started since on the same number (the other tests
# start theirs meanwhile; nothing of the run is left, as stop_run found).
socket="/tmp/.X11-unix/X${DISPLAY#:}"
[ ! -e "$socket" ] || [ -n "$(ss -Hxl | awk -v s="$socket" '$5 == s')" ] ||
    fail "the display $DISPLAY is still there"
! curl -s --max-time 5 "$url_a" > /dev/null || fail "web port $web_a still answers"

# --- on a desktop -------------------------------------------------------------------------------

start_display
start_window_manager
desktop=${pids[0]}
start_run c QOR_PROGRAM_DIR="$work/a"
answer 300 || fail "no start-up question on the desktop"
menu=$(menu_window 60)
[ -n "$menu" ] || fail "no main window on the desktop"
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + $(px 7365))) $((Y + $(px 1395))) click 1
[ -n "$(window "Adjust current settings")" ] || fail "the Settings entry opened no settings panel"
stop_run c -INT -- "-$run_c"
running "$desktop" || fail "the run stopped the desktop"
[ -z "$(program_windows)" ] || fail "windows of the program are left on the desktop"
echo "run command: all well"
