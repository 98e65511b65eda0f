#!/usr/bin/env bash
# Installs the Debian packages that building, testing and showing the
# installer need, when any of them is missing. Xvfb, openbox, xdotool and
# x11-utils serve the tests that drive the real window on a real X server;
# the X client libraries' headers serve the window system (close requests
# from the window manager) and that test's watching of the server.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          fonts-lohit-taml xvfb xauth openbox xdotool x11-utils x11-apps util-linux
          libxcb1-dev libx11-dev libxfixes-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
