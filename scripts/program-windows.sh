# Sourced by the scripts and tests that use the program on an X display (DISPLAY) with xdotool,
# as a person would: each step waits for the state it needs (a message box up, the menu enabled,
# a window up and drawn) instead of a fixed time.

# Controls are placed in twips: 15 to a pixel at 96 dpi, 12 at 120.
dpi=${SCREEN_DPI:-96}
px() { echo $(($1 * dpi / 1440)); }

# Whether window $1 is mapped and seen.
visible() { xwininfo -id "$1" 2> /dev/null | grep -q "IsViewable"; }

# Whether window $1 is a message box.
is_box() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2> /dev/null | grep -q "_NET_WM_WINDOW_TYPE_DIALOG"; }

# The program's visible windows, of every run of it on the display.
program_windows() { xdotool search --onlyvisible --classname "qor-pc-manager" 2> /dev/null || true; }

# The boxes answered so far, as process:window (a later run of the program may be given the
# window numbers of an earlier one).
answered=" "
# Answers the next message box of the program with its default button (Return), once the box is
# up, and waits until it has gone: "Yes" to "Automatic detection ?", "OK" to a notice. Fails when
# no box comes within $1 seconds (default 30).
answer() {
    local box="" w key="" end=$((SECONDS + ${1:-30}))
    while ((SECONDS < end)); do
        for w in $(program_windows); do
            key="$(xdotool getwindowpid "$w" 2> /dev/null):$w"
            if [[ $answered != *" $key "* ]] && is_box "$w"; then box=$w && break; fi
        done
        [ -n "$box" ] && break
        sleep 0.25
    done
    [ -n "$box" ] || { echo "no message box of the program came" >&2; return 1; }
    answered+="$key "
    for _ in $(seq 20); do
        timeout 2 xdotool windowactivate --sync "$box" > /dev/null 2>&1 ||
            timeout 2 xdotool windowfocus --sync "$box" > /dev/null 2>&1 || true
        [ "$(xdotool getwindowfocus 2> /dev/null)" = "$box" ] && xdotool key Return
        for _ in $(seq 8); do
            visible "$box" || return 0
            sleep 0.25
        done
    done
    echo "the message box did not go" >&2
    return 1
}

# The brightest grey, 0 to 1, within the twips rectangle $2 x $3, $4 wide, $5 high of window $1.
brightest() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "$(px "$4")x$(px "$5")+$((X + $(px "$2")))+$((Y + $(px "$3")))" png:- \
        2> /dev/null | convert - -colorspace gray -format "%[fx:maxima]" info: 2> /dev/null
}

# The program's main window once it is up with its menu enabled, within $1 seconds (default 60);
# nothing when it does not come. An enabled entry shows its bright caption on the skin, a
# disabled one a grey caption on a dark box: the Zones entry is looked at, its middle 2820 x 1395
# twips in.
menu_window() {
    local w end=$((SECONDS + ${1:-60}))
    while ((SECONDS < end)); do
        for w in $(program_windows); do
            is_box "$w" && continue
            [ "$(xdotool getwindowname "$w" 2> /dev/null)" = "Qor PC Manager" ] || continue
            if awk -v b="$(brightest "$w" 2220 1275 1200 240)" 'BEGIN { exit !(b > 0.6) }'; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.25
    done
}

# The first visible window whose title matches $1, once it is up (at most $2 seconds, default
# 20); nothing when none.
window() {
    local id="" end=$((SECONDS + ${2:-20}))
    while ((SECONDS < end)); do
        id=$(xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n 1) && [ -n "$id" ] && break
        sleep 0.25
    done
    echo "$id"
}

# Waits until window $1 (default: the whole screen) looks the same twice a quarter second apart:
# drawn, and whatever moves has come to rest (at most 10 s).
settled() {
    local before="" now
    for _ in $(seq 40); do
        now=$(import -window "${1:-root}" rgb:- 2> /dev/null | md5sum)
        [ "$now" = "$before" ] && return 0
        before=$now
        sleep 0.25
    done
}

# Waits until a drop-down menu of the program is open (at most 10 s); fails when none opens.
menu_open() {
    local w
    for _ in $(seq 40); do
        for w in $(program_windows); do
            xprop -id "$w" _NET_WM_WINDOW_TYPE 2> /dev/null | grep -q "_MENU" && return 0
        done
        sleep 0.25
    done
    return 1
}
