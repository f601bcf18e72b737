#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and run the program, also on a
# machine with no desktop (a virtual display with a window manager, served to a web browser).
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev qt6-base-dev libgl-dev
          xvfb x11-utils xdotool imagemagick clang-format procps
          openbox wmctrl x11vnc novnc websockify curl python3 iproute2)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
