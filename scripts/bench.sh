#!/usr/bin/env bash
# Benchmarks the installer: builds it in Release in a build folder of its own,
# then prints each figure beside its anchor (medians of several runs, with
# each side's min..max and the 1-minute load average when it was taken), and
# ends with one "ratio NAME VALUE" line per figure, our median over the
# anchor's, and the "ms NAME VALUE" lines of figures that have no anchor:
#   install-sync        installation through the engine vs cp -a + sync (demo tree)
#   install-plain       the same vs plain cp -a
#   install-durable     the same vs an in-process copy as durable as the engine's
#                       (every file and folder flushed, then one rename each),
#                       written plainly on one thread
#   install-floor       the same vs an in-process copy followed by one syncfs
#   install-heavy-sync  the same on forty 4 MiB fonts vs cp -a + sync
#   removal             removal through the engine vs rm -d of the same 55 entries
#   startup             process start to first frame vs a bare Qt window (offscreen)
#   memory              peak resident memory vs a bare Qt window (offscreen)
#   startup-x11         as startup, on an X server (Xvfb) the benchmark starts
#   memory-x11          as memory, on that X server
#   ms longest-paint-gap  the longest time the real window (on its own Xvfb)
#                       goes without painting while a press installs fonts of
#                       39 x 16 MiB and 1 x 256 MiB (median of its runs)
# The start-up rows also give each side's processor time (user + system).
#
# Settings: BENCH_BUILD_DIR (default build-bench), BENCH_RUNS (15),
# BENCH_HEAVY_RUNS (5), BENCH_STARTUP_RUNS (21), BENCH_PAINT_RUNS (3),
# BENCH_PAINT_PLATFORM (xcb; offscreen runs the window without an X server),
# BENCH_JOBS (3). The scratch trees go under $TMPDIR (else /tmp), on the file
# system measured; the paint benchmark needs about 2 GiB there.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "${BENCH_JOBS:-3}" --target engine_bench startup_bench paint_gap_bench

results="$(mktemp)"
trap 'rm -f "$results"' EXIT

echo
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/engine_bench" "${BENCH_RUNS:-15}" "${BENCH_HEAVY_RUNS:-5}" >>"$results"
"$build/bench/startup_bench" "${BENCH_STARTUP_RUNS:-21}" >>"$results"
"$build/bench/paint_gap_bench" "${BENCH_PAINT_RUNS:-3}" >>"$results"
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# The rows of the programs (one header), then all the ratio and ms lines.
awk '/^figure / { if (seen++) next } !/^(ratio|ms) / { print }' "$results"
echo
grep -E '^(ratio|ms) ' "$results"
echo "load1 $(cut -d' ' -f1 /proc/loadavg)"
