#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program against the simulated amplifier
# (a "QOR 82" on port 1). The program folder is build/bin.
#
# The first start finds no user.ini, says so, writes one from the device and ends; this script
# then starts the program again, which connects and shows the main window.
set -euo pipefail
source "$(dirname "$0")/sim-env.sh"

# No desktop (a remote shell, CI): a virtual one, so the windows still open.
if [ -z "${DISPLAY:-}" ]; then
    Xvfb :57 -screen 0 1280x800x24 > /dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=:57
    sleep 1
    echo "no DISPLAY: running on the virtual display :57, where nothing is seen (scripts/screenshot.sh takes pictures)"
fi

start_sim --rds "QOR RADIO - NOW PLAYING JAZZ"
echo "simulated amplifier: $(head -n 1 "$work/sim.out")"
export QOR_PROGRAM_DIR="${QOR_PROGRAM_DIR:-$bin}"

if [ ! -f "$QOR_PROGRAM_DIR/user.ini" ]; then
    "$bin/qor-pc-manager" || true
fi
"$bin/qor-pc-manager"
