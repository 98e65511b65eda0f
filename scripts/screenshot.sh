#!/usr/bin/env bash
# Saves a picture of the installer's window as a person sees it: builds if
# needed, opens the installer on a sandbox start-up volume (on a virtual
# display when there is no X display), waits for its window, captures it
# and ends the installer.
set -euo pipefail

script="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")"
root="$(cd "$(dirname "$script")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
sandbox=""
output=""
timeout=30
capture_only=false

usage() {
    cat <<'USAGE'
Usage: scripts/screenshot.sh [--sandbox DIR] [--output FILE] [--timeout SECONDS] [--capture-only]
  --sandbox DIR      the start-up volume (default: build/sandbox-volume, kept across runs)
  --output FILE      where the PNG goes (default: build/screenshot.png)
  --timeout SECONDS  how long to wait for the window (default: 30)
  --capture-only     skip installing and building; capture on the current X display
BUILD_DIR overrides the build folder (default: build/ in the repository).
USAGE
}

while [ "$#" -gt 0 ]; do
    case "$1" in
        --sandbox | --output | --timeout)
            [ "$#" -ge 2 ] || { echo "screenshot.sh: $1 needs a value" >&2; exit 2; }
            case "$1" in
                --sandbox) sandbox="$2" ;;
                --output) output="$2" ;;
                --timeout) timeout="$2" ;;
            esac
            shift 2
            ;;
        --capture-only) capture_only=true; shift ;;
        -h | --help) usage; exit 0 ;;
        *) echo "screenshot.sh: unknown argument: $1" >&2; usage >&2; exit 2 ;;
    esac
done
[[ "$timeout" =~ ^[0-9]+$ ]] || { echo "screenshot.sh: --timeout takes whole seconds" >&2; exit 2; }
sandbox="${sandbox:-$build/sandbox-volume}"
output="${output:-$build/screenshot.png}"
executable="$build/Quorvan Keyboard Installer.app/Contents/MacOS/Quorvan Keyboard Installer"

# Installs the Debian package of every command that is missing; each
# argument is "command:package".
install_missing_commands() {
    local missing=() pair
    for pair in "$@"; do
        command -v "${pair%%:*}" >/dev/null 2>&1 || missing+=("${pair#*:}")
    done
    [ "${#missing[@]}" -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    local sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

installer_pid=""
installer_log=""
end_installer() {
    if [ -n "$installer_pid" ] && kill -0 "$installer_pid" 2>/dev/null; then
        kill "$installer_pid" 2>/dev/null || true
        wait "$installer_pid" 2>/dev/null || true
    fi
    [ -z "$installer_log" ] || rm -f "$installer_log"
}

# Starts the installer on $DISPLAY, waits for its first visible window and
# saves that window as a PNG.
capture_on_this_display() {
    [ -n "${DISPLAY:-}" ] || { echo "screenshot.sh: --capture-only needs an X display (DISPLAY)" >&2; exit 1; }
    [ -x "$executable" ] || { echo "screenshot.sh: no installer at $executable; build it first" >&2; exit 1; }
    mkdir -p "$sandbox/Library/Keyboard Layouts" "$sandbox/Library/Fonts" "$(dirname "$output")"

    installer_log="$(mktemp)"
    trap end_installer EXIT
    STARTUP_VOLUME_ROOT="$sandbox" QT_QPA_PLATFORM=xcb "$executable" >"$installer_log" 2>&1 &
    installer_pid=$!

    local window="" deadline=$((SECONDS + timeout)) status=0
    while [ -z "$window" ]; do
        if ! kill -0 "$installer_pid" 2>/dev/null; then
            wait "$installer_pid" || status=$?
            installer_pid=""
            echo "screenshot.sh: the installer ended (status $status) before it showed a window." >&2
            sed 's/^/  installer: /' "$installer_log" >&2
            exit 1
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "screenshot.sh: no window of the installer appeared within $timeout s." >&2
            sed 's/^/  installer: /' "$installer_log" >&2
            exit 1
        fi
        window="$(xdotool search --onlyvisible --pid "$installer_pid" 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] || sleep 0.2
    done

    # Mapped is not yet painted: give the first paint a moment.
    xdotool windowraise "$window" 2>/dev/null || true
    sleep 1
    import -frame -window "$window" "$output"
    echo "Saved $output"
}

if [ "$capture_only" = true ]; then
    capture_on_this_display
    exit 0
fi

"$root/scripts/install-deps.sh"
install_missing_commands xdotool:xdotool import:imagemagick

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target quorvan_installer demo_bundle_resources

mkdir -p "$sandbox" "$(dirname "$output")"
sandbox="$(cd "$sandbox" && pwd)"
output="$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"

if [ -n "${DISPLAY:-}" ]; then
    capture_on_this_display
else
    BUILD_DIR="$build" xvfb-run -a -s "-screen 0 1024x768x24" \
        "$script" --capture-only --sandbox "$sandbox" --output "$output" --timeout "$timeout"
fi
