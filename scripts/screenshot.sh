#!/usr/bin/env bash
# Runs the real program under Xvfb against qor-sim, as a person would: answers the start-up
# question, lets the first start write user.ini, starts again, opens the zone panels of zones 1
# (on) and 2 (off) from the Zones entry, drags the zone 2 panel by its skin, opens the settings
# panel from the Settings entry, then starts once more and opens the tuner panel from the Tuner
# entry, with RDS text scrolling and then with the name editor of preset 2 open, then the schedule
# editor from the Events entry with one event switched On, and its file picker, then once more
# for the INI manager, opened from the File entry on user.ini and in its save-as view, and saves
# screenshots. Last, the window kit's settings-like sample window, to judge its framed windows,
# and its schedule-like grid window.
#   scripts/screenshot.sh [output folder]     (default: ./screenshots)
#   SCREEN_DPI=120 scripts/screenshot.sh ...    (the screen's dots per inch; default 96)
set -euo pipefail
out=$(mkdir -p "${1:-screenshots}" && cd "${1:-screenshots}" && pwd)
source "$(dirname "$0")/sim-env.sh"
source "$root/scripts/program-windows.sh"
# On a failure, what the program said.
trap 'for f in "$work"/*.log; do echo "--- $f" && cat "$f"; done >&2' ERR

start_display -dpi "${SCREEN_DPI:-96}"
# Qt takes its logical dots per inch from here, not from the X server.
[ -z "${SCREEN_DPI:-}" ] || export QT_FONT_DPI=$SCREEN_DPI

start_sim --presets 89.3,91.7,94.5,98.5,101.2,104.8 --rds-every 4 \
    --rds "Radio Jazz - Miles Davis - So What from Kind of Blue"

prog="$work/program"
mkdir -p "$prog"
cp "$bin"/*.png "$bin"/*.gif "$bin"/*.ico "$prog/"
cp "$bin/lookforinini.txt" "$prog/"
printf '[Show zones on screen]\r\nShowzone1 = True\r\nShowzone2 = True\r\nShowzone3 = False\r\nShowzone4 = False\r\n' \
    > "$prog/showzones.ini"
export QOR_PROGRAM_DIR="$prog"

# The main window with its menu enabled. Now and then the start-up scan finds no amplifier (the
# program stopped before left something on the line) and leaves the menu disabled: Connect, 8880
# x 1395 twips in, scans again, as a user would.
connected_menu() {
    local m w
    m=$(menu_window 40)
    if [ -z "$m" ]; then
        for w in $(program_windows); do
            is_box "$w" || [ "$(xdotool getwindowname "$w")" != "Qor PC Manager" ] || m=$w
        done
        [ -n "$m" ] || return 0
        echo "the start-up scan found no amplifier; Connect scans again" >&2
        eval "$(xdotool getwindowgeometry --shell "$m")"
        xdotool mousemove $((X + $(px 8880))) $((Y + $(px 1395))) click 1
        m=$(menu_window 30)
    fi
    echo "$m"
}

# First start: no user.ini yet. "Yes" to the automatic detection, "OK" to the notice, and the
# program writes user.ini from the device and ends.
"$bin/qor-pc-manager" > "$work/first.log" 2>&1 &
first=$!
answer
answer
wait "$first" || true
[ -f "$prog/user.ini" ] || { echo "the first start wrote no user.ini" >&2; exit 1; }
# Name two zones, as a user would in the settings file.
sed -i 's/^Zone1_Name=/Zone1_Name=Living room/; s/^Zone2_Name=/Zone2_Name=Kitchen/' "$prog/user.ini"
# And the presets, as the tuner panel's name editor would.
sed -i 's/^Preset1_Name=.*/Preset1_Name=Classic/; s/^Preset2_Name=.*/Preset2_Name=Jazz/;
        s/^Preset3_Name=.*/Preset3_Name=News/; s/^Preset4_Name=.*/Preset4_Name=Pop/' "$prog/user.ini"

"$bin/qor-pc-manager" > "$work/second.log" 2>&1 &
second=$!
pids+=($second)
answer
menu=$(connected_menu)
[ -n "$menu" ] || { echo "the main window did not come with its menu enabled" >&2; exit 1; }
settled
import -window root "$out/main-window.png"

# The Zones entry: the middle of its hotspot lies 2820 x 1395 twips into the screen-wide,
# see-through main window.
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + $(px 2820))) $((Y + $(px 1395))) click 1
for zone in 1 2; do
    [ -n "$(window "Amplification in Zone $zone")" ] || { echo "the Zones entry opened no panel of zone $zone" >&2; exit 1; }
done
settled
import -window root "$out/zone-panels.png"

# Drags the zone 2 panel by its skin, which lies one slot (121 pixels) below zone 1's: pressed on
# the bare skin between the source caption and the bass caption, and held while the picture is
# taken, so the drag hint at the top middle of the screen shows.
xdotool mousemove "$(px 3450)" "$(px 5175)" mousedown 1
sleep 0.3
xdotool mousemove "$(px 4950)" "$(px 6300)"
sleep 0.3
xdotool mousemove "$(px 6450)" "$(px 7500)"
settled
import -window root "$out/zone-drag.png"
xdotool mouseup 1
settled
import -window root "$out/zone-dropped.png"

# The Settings entry, 7365 x 1395 twips in: the settings panel, in its wide layout.
xdotool mousemove $((X + $(px 7365))) $((Y + $(px 1395))) click 1
settings=$(window "Adjust current settings")
[ -n "$settings" ] || { echo "the Settings entry opened no settings panel" >&2; exit 1; }
settled "$settings"
import -window "$settings" "$out/settings-panel.png"

# Once more, without zone panels, for the tuner panel: the middle of the Tuner entry lies
# 4335 x 1395 twips into the main window.
kill "$second"
wait "$second" || true
printf '[Show zones on screen]\r\nShowzone1 = False\r\nShowzone2 = False\r\nShowzone3 = False\r\nShowzone4 = False\r\n' \
    > "$prog/showzones.ini"
"$bin/qor-pc-manager" > "$work/third.log" 2>&1 &
third=$!
pids+=($third)
answer
menu=$(connected_menu)
[ -n "$menu" ] || { echo "the main window did not come with its menu enabled" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + $(px 4335))) $((Y + $(px 1395))) click 1
tuner=$(window "Manage QorTuner Settings" 10)
if [ -z "$tuner" ]; then
    # Now and then the panel reads the tuner but does not show; a second click shows it.
    echo "the tuner panel did not show at the first click of the Tuner entry; clicked again" >&2
    xdotool click 1
    tuner=$(window "Manage QorTuner Settings")
fi
[ -n "$tuner" ] || { echo "the Tuner entry opened no tuner panel" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$tuner")"
# The panel reads the tuner; preset key 2, its middle 3403 x 2145 twips in (the dial sits one
# dial height, 1272 twips, down), tunes to its station. Then the next RDS text comes and scrolls
# a step a second.
settled "$tuner"
xdotool mousemove $((X + $(px 3403))) $((Y + $(px 2145))) click 1
sleep 6
import -window root "$out/tuner-rds.png"

# A right-button press on preset key 2 opens the name editor; the name field's middle lies
# 4243 x 2951 twips in. While RDS text scrolls, the panel takes events once a second, at each
# step of the scroll.
xdotool mousemove $((X + $(px 3403))) $((Y + $(px 2145))) click 3
sleep 2
xdotool mousemove $((X + $(px 4243))) $((Y + $(px 2951))) click 1
sleep 1.5
xdotool key --delay 40 ctrl+a type --delay 60 "Late Jazz"
sleep 2
import -window root "$out/tuner-editor.png"

# The Events entry, 5850 x 1395 twips in, opens the schedule editor with the schedule last
# written to the device: days marked, the On events with white source and volume cells.
printf '%s\r\n' '*EVT,SET,1,1111100,07,00,1,1,2,25,2;' '*EVT,SET,2,1111100,08,30,1,0,1,00,1;' \
    '*EVT,SET,3,0000011,09,15,2,0,1,00,1;' '*EVT,SET,4,0000011,10,00,2,1,1,40,1;' \
    '*EVT,SET,5,1010100,18,45,3,1,2,18,5;' '*EVT,SET,6,1010100,23,00,3,0,1,00,1;' \
    > "$prog/DefResuSched.txt"
cp "$prog/DefResuSched.txt" "$prog/week.sch"
# Once more, so the tuner panel does not cover the menu.
kill "$third"
wait "$third" || true
"$bin/qor-pc-manager" > "$work/fourth.log" 2>&1 &
pids+=($!)
answer
menu=$(connected_menu)
[ -n "$menu" ] || { echo "the main window did not come with its menu enabled" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + $(px 5850))) $((Y + $(px 1395))) click 1
events=$(window "Make Clock schedule")
[ -n "$events" ] || { echo "the Events entry opened no schedule editor" >&2; exit 1; }
settled "$events"
# Event 3 switched On by a double-click on its On/Off cell (its middle 6270 x 892 twips into the
# grid, which lies under the menu bar): red "On", white cells.
eval "$(xdotool getwindowgeometry --shell "$events")"
bar=22  # the menu bar
xdotool mousemove $((X + $(px 6270))) $((Y + bar + $(px 892))) click --repeat 2 --delay 80 1
settled "$events"
import -window "$events" "$out/schedule-editor.png"
# File > Open: the picker.
xdotool mousemove $((X + 18)) $((Y + 10)) click 1
menu_open || { echo "the File menu did not open" >&2; exit 1; }
xdotool key Down Return
picker=$(window "Open existing schedule file")
[ -n "$picker" ] || { echo "File > Open opened no picker" >&2; exit 1; }
settled "$picker"
import -window "$picker" "$out/schedule-picker.png"

# Once more for the INI manager: the File entry, 1305 x 1395 twips into the main window, opens
# it on user.ini (it reads the device first); then its Save As entry shows the save-as view.
kill "${pids[-1]}"
"$bin/qor-pc-manager" > "$work/fifth.log" 2>&1 &
pids+=($!)
answer
sleep 3
menu=$(xdotool search --onlyvisible --name "Qor PC Manager" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + $(px 1305))) $((Y + $(px 1395))) click 1
manager=$(window "Ini File ' user.ini ' Opened")
[ -n "$manager" ] || { echo "the File entry opened no INI manager" >&2; exit 1; }
sleep 1
import -window "$manager" "$out/ini-manager.png"
# The menu bar's third entry, Save As, then a name typed into the file-name box, whose middle
# lies 6248 x 578 twips in, below the menu bar (about 20 pixels).
eval "$(xdotool getwindowgeometry --shell "$manager")"
xdotool mousemove $((X + 125)) $((Y + 10)) click 1
sleep 1
xdotool mousemove $((X + $(px 6248))) $((Y + 20 + $(px 578))) click 1
xdotool type --delay 60 "living room"
sleep 0.5
import -window "$manager" "$out/ini-manager-save-as.png"

# The kit's framed-window controls (menu bar, frames, tab strip, sliders, tick boxes, calendar,
# scroll bar) on the same display, above the program's windows.
"$bin/ui_sample_window" "$out/kit-framed-window.png"
# The kit's grid: day marks, coloured cells and a time picker laid over a cell.
"$bin/ui_grid_window" "$out/kit-grid-window.png"
echo "screenshots in $out"
