# Sourced by the scripts and tests that start processes and stop them again: they set work (a
# folder of their own) and pids (the processes started, in order) before they call these.

# Starts a command in the background in a session of its own, so that a Ctrl-C on the terminal
# reaches the calling script alone, which then stops everything in order; what the command
# starts in turn stays in its process group and is stopped with it.
spawn() {
    setsid "$@" &
    pids+=($!)
}

# Whether process $1 is still there (one that has ended but not been waited for is not).
running() {
    local state
    state=$(ps -o stat= -p "$1" 2> /dev/null) && [[ $state != Z* ]]
}

# Stops the process group that process $1 leads: TERM, then KILL for what is left after 5 s.
stop() {
    kill -TERM -- "-$1" 2> /dev/null || kill -TERM "$1" 2> /dev/null || true
    for _ in $(seq 50); do
        running "$1" || break
        sleep 0.1
    done
    running "$1" && kill -KILL "$1" 2> /dev/null
    wait "$1" 2> /dev/null || true
    for _ in $(seq 50); do
        pgrep -g "$1" > /dev/null || return 0
        sleep 0.1
    done
    kill -KILL -- "-$1" 2> /dev/null || true
}

# Asks the program to close as a user would: the window manager asks each of its windows to close
# (a message box that is up takes that as its cancel answer), again while it goes on, for up to
# 10 s. What does not close then is stopped. Without a window manager it is stopped at once.
close_program() {
    local w
    if running "$1" && wmctrl -m > /dev/null 2>&1; then
        for _ in $(seq 20); do
            for w in $(xdotool search --onlyvisible --pid "$1" 2> /dev/null); do
                wmctrl -i -c "$w" 2> /dev/null || true
            done
            for _ in $(seq 5); do
                running "$1" || break 2
                sleep 0.1
            done
        done
    fi
    running "$1" && echo "the program did not close; it is stopped" >&2
    stop "$1"
}

# Starts a virtual X display and sets DISPLAY; arguments go to Xvfb. The server takes a free number
# itself and names it once it takes connections (-displayfd), so two starts at once never share
# one. It does not reset when its last client leaves (-noreset): a reset drops the clients still
# connecting, such as a window manager started just after the check below has gone. A display
# that ends or does not answer within 10 s is stopped and another started, three times at most.
start_display() {
    local n=""
    for _ in 1 2 3; do
        spawn Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 "$@" \
            3> "$work/display" > "$work/xvfb.log" 2>&1
        n=""
        for _ in $(seq 100); do
            [ -n "$n" ] || n=$(head -n 1 "$work/display")
            if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo > /dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            running "${pids[-1]}" || break
            sleep 0.1
        done
        stop "${pids[-1]}"
        unset 'pids[-1]'
    done
    if [ -n "$n" ]; then
        echo "the virtual display :$n did not answer: $(cat "$work/xvfb.log")" >&2
    else
        echo "the virtual display did not start: $(cat "$work/xvfb.log")" >&2
    fi
    exit 1
}

# A window manager on the display, so that windows get frames, focus and drop-down lists as on a
# desktop; returns once it manages the display.
start_window_manager() {
    spawn openbox --sm-disable > "$work/openbox.log" 2>&1
    for _ in $(seq 100); do
        wmctrl -m > /dev/null 2>&1 && return 0
        running "${pids[-1]}" || break
        sleep 0.1
    done
    echo "the window manager did not start: $(cat "$work/openbox.log")" >&2
    exit 1
}

# Waits until what process $1 writes to file $2 holds a line matching $3, for at most $4 seconds
# (default 20); fails when the process ends first.
await_line() {
    for _ in $(seq $((${4:-20} * 10))); do
        grep -q -- "$3" "$2" 2> /dev/null && return 0
        running "$1" || return 1
        sleep 0.1
    done
    return 1
}
