# Sourced by run.sh and screenshot.sh: installs what is missing, builds, and starts qor-sim as a
# "QOR 82" with zone 1 on, mapped to port 1. Sets root, bin, work and pids; everything started is
# stopped when the calling script ends, on its own or by Ctrl-C or TERM.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$root/build" -j "$(nproc)"
bin="$root/build/bin"

work=$(mktemp -d)
pids=()
# A run-time folder of the run's own (private, as a desktop session gives each program), removed
# with the rest; without one the program complains at every start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR="$work/runtime"
fi
program=""  # the program's process, once started: closed before the rest is stopped

source "$root/scripts/processes.sh"

cleanup() {
    # A second Ctrl-C does not cut the stopping short.
    trap '' INT TERM
    [ -z "$program" ] || close_program "$program"
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Starts the simulated amplifier; extra arguments go to qor-sim.
start_sim() {
    spawn "$bin/qor-sim" --model 82 --zone-on 1 --link "$work/amp" "$@" > "$work/sim.out"
    for _ in $(seq 50); do [ -e "$work/amp" ] && break; sleep 0.1; done
    # Port 1 is the simulated amplifier; the other ports point nowhere, so the scan leaves this
    # machine's own serial devices alone.
    export QOR_COM1="$work/amp"
    for n in $(seq 2 15); do export "QOR_COM$n=$work/no-port-$n"; done
}
