#!/usr/bin/env bash
# Saves a picture of the installer's window as a person sees it: builds if
# needed, opens the installer on a sandbox start-up volume (on a virtual
# display when there is no X display), waits for its window, captures it
# and ends the installer. With --framed the picture shows the window in the
# frame a window manager gives it (openbox is started when the display has
# no window manager); with --message-box the button is pressed and the
# picture shows the message box over the window.
set -euo pipefail

script="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")"
root="$(cd "$(dirname "$script")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
sandbox=""
output=""
timeout=30
capture_only=false
framed=false
message_box=false

usage() {
    cat <<'USAGE'
Usage: scripts/screenshot.sh [--sandbox DIR] [--output FILE] [--timeout SECONDS] [--framed]
                             [--message-box] [--capture-only]
  --sandbox DIR      the start-up volume (default: build/sandbox-volume, kept across runs)
  --output FILE      where the PNG goes (default: build/screenshot.png)
  --timeout SECONDS  how long to wait for the window (default: 30)
  --framed           the window in its window manager's frame
  --message-box      press the button (which installs into, or removes from, the
                     sandbox) and capture the message box over the window; implies --framed
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
        --framed) framed=true; shift ;;
        --message-box) framed=true; message_box=true; shift ;;
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
manager_pid=""
end_started() {
    local pid
    for pid in "$installer_pid" "$manager_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    [ -z "$installer_log" ] || rm -f "$installer_log"
}

# Starts openbox unless the display already has a window manager.
ensure_window_manager() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    command -v openbox >/dev/null 2>&1 || { echo "screenshot.sh: --framed needs openbox" >&2; exit 1; }
    openbox --sm-disable >/dev/null 2>&1 &
    manager_pid=$!
    local deadline=$((SECONDS + timeout))
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        [ "$SECONDS" -lt "$deadline" ] || { echo "screenshot.sh: openbox did not start" >&2; exit 1; }
        sleep 0.2
    done
}

# "X Y W H" of a window's frame on the screen.
frame_of() {
    xwininfo -frame -id "$1" | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF}
        END {print x, y, w, h}'
}

# Starts the installer on $DISPLAY, waits for its first visible window and
# saves that window as a PNG.
capture_on_this_display() {
    [ -n "${DISPLAY:-}" ] || { echo "screenshot.sh: --capture-only needs an X display (DISPLAY)" >&2; exit 1; }
    [ -x "$executable" ] || { echo "screenshot.sh: no installer at $executable; build it first" >&2; exit 1; }
    mkdir -p "$sandbox/Library/Keyboard Layouts" "$sandbox/Library/Fonts" "$(dirname "$output")"

    installer_log="$(mktemp)"
    trap end_started EXIT
    [ "$framed" = false ] || ensure_window_manager
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
    if [ "$message_box" = true ]; then
        capture_message_box "$window"
    elif [ "$framed" = true ]; then
        import -frame -window "$window" "$output"
    else
        import -window "$window" "$output"
    fi
    echo "Saved $output"
}

# Presses the button (its centre: 166, 227 in the window) and captures the
# part of the screen that holds the window and the message box.
capture_message_box() {
    local window="$1" box="" deadline
    xdotool mousemove --window "$window" 166 227 click 1
    deadline=$((SECONDS + timeout))
    while [ -z "$box" ]; do
        [ "$SECONDS" -lt "$deadline" ] || { echo "screenshot.sh: no message box appeared" >&2; exit 1; }
        box="$(xdotool search --onlyvisible --pid "$installer_pid" 2>/dev/null | grep -vx "$window" | head -n 1 || true)"
        [ -n "$box" ] || sleep 0.2
    done
    sleep 1
    read -r wx wy ww wh < <(frame_of "$window")
    read -r bx by bw bh < <(frame_of "$box")
    local left=$((wx < bx ? wx : bx)) top=$((wy < by ? wy : by))
    local right=$((wx + ww > bx + bw ? wx + ww : bx + bw)) bottom=$((wy + wh > by + bh ? wy + wh : by + bh))
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$output"
}

if [ "$capture_only" = true ]; then
    capture_on_this_display
    exit 0
fi

"$root/scripts/install-deps.sh"
install_missing_commands xdotool:xdotool import:imagemagick openbox:openbox xwininfo:x11-utils xprop:x11-utils

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target quorvan_installer demo_bundle_resources

mkdir -p "$sandbox" "$(dirname "$output")"
sandbox="$(cd "$sandbox" && pwd)"
output="$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"

if [ -n "${DISPLAY:-}" ]; then
    capture_on_this_display
else
    flags=()
    [ "$framed" = false ] || flags+=(--framed)
    [ "$message_box" = false ] || flags+=(--message-box)
    BUILD_DIR="$build" xvfb-run -a -s "-screen 0 1024x768x24" \
        "$script" --capture-only --sandbox "$sandbox" --output "$output" --timeout "$timeout" "${flags[@]}"
fi
