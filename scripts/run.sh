#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program against the simulated amplifier
# (a "QOR 82" on port 1). The program folder is build/bin.
#
# The first start finds no user.ini, says so, writes one from the device and ends; this script
# then starts the program again, which connects and shows the main window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$root/build" -j "$(nproc)"

bin="$root/build/bin"
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# No desktop (a remote shell, CI): a virtual one, so the windows still open.
if [ -z "${DISPLAY:-}" ]; then
    Xvfb :57 -screen 0 1280x800x24 > /dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=:57
    sleep 1
    echo "no DISPLAY: running on the virtual display :57, where nothing is seen (scripts/screenshot.sh takes pictures)"
fi

"$bin/qor-sim" --model 82 --zone-on 1 --link "$work/amp" --rds "QOR RADIO - NOW PLAYING JAZZ" > "$work/sim.out" &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/amp" ] && break; sleep 0.1; done
echo "simulated amplifier: $(head -n 1 "$work/sim.out")"

# Port 1 is the simulated amplifier; the other ports point nowhere, so the scan leaves this
# machine's own serial devices alone.
export QOR_COM1="$work/amp"
for n in $(seq 2 15); do export "QOR_COM$n=$work/no-port-$n"; done
export QOR_PROGRAM_DIR="${QOR_PROGRAM_DIR:-$bin}"

if [ ! -f "$QOR_PROGRAM_DIR/user.ini" ]; then
    "$bin/qor-pc-manager" || true
fi
"$bin/qor-pc-manager"
