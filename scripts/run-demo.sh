#!/usr/bin/env bash
# Builds the installer and opens it on a sandbox start-up volume, so that
# installing and removing touch nothing outside the sandbox.
#
# Without a display it says how to run it under xvfb-run and exits with 3.
set -euo pipefail

script="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")"
root="$(cd "$(dirname "$script")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
sandbox=""

usage() {
    cat <<'USAGE'
Usage: scripts/run-demo.sh [--sandbox DIR]
  --sandbox DIR  the folder that stands for the start-up volume (default:
                 build/sandbox-volume). It is kept across runs, so a second
                 run can remove what the first one installed.
BUILD_DIR overrides the build folder (default: build/ in the repository).
USAGE
}

while [ "$#" -gt 0 ]; do
    case "$1" in
        --sandbox)
            [ "$#" -ge 2 ] || { echo "run-demo.sh: --sandbox needs a folder" >&2; exit 2; }
            sandbox="$2"
            shift 2
            ;;
        -h|--help) usage; exit 0 ;;
        *) echo "run-demo.sh: unknown argument: $1" >&2; usage >&2; exit 2 ;;
    esac
done
sandbox="${sandbox:-$build/sandbox-volume}"

"$root/scripts/install-deps.sh"

# A Wayland session without an X display needs Qt's Wayland platform plugin.
if [ -z "${DISPLAY:-}" ] && [ -n "${WAYLAND_DISPLAY:-}" ] &&
    ! dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q "install ok installed"; then
    echo "Installing: qt6-wayland"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends qt6-wayland
fi

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target quorvan_installer demo_bundle_resources

# The installer copies into these folders but does not make them.
mkdir -p "$sandbox/Library/Keyboard Layouts" "$sandbox/Library/Fonts"
sandbox="$(cd "$sandbox" && pwd)"
executable="$build/Quorvan Keyboard Installer.app/Contents/MacOS/Quorvan Keyboard Installer"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    {
        echo "run-demo.sh: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set),"
        echo "so the installer's window cannot be shown. The build and the sandbox are ready:"
        echo "  sandbox volume: $sandbox"
        echo "Run it on a virtual display with:"
        printf '  '
        [ -z "${BUILD_DIR:-}" ] || printf 'BUILD_DIR=%q ' "$build"
        printf 'xvfb-run -a -s "-screen 0 1024x768x24" %q --sandbox %q\n' "$script" "$sandbox"
        echo "or, to see it, from a desktop session or over 'ssh -X'; scripts/screenshot.sh saves a"
        echo "picture of the window without a display."
    } >&2
    exit 3
fi

echo "Start-up volume: $sandbox"
STARTUP_VOLUME_ROOT="$sandbox" exec "$executable"
