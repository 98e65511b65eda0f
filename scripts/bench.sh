#!/usr/bin/env bash
# Benchmarks the installer: builds it in Release in a build folder of its own,
# then prints each figure beside its anchor (medians of several runs, with
# each side's min..max), and ends with one "ratio NAME VALUE" line per figure,
# our median over the anchor's:
#   install-sync        installation through the engine vs cp -a + sync (demo tree)
#   install-plain       the same vs plain cp -a
#   install-heavy-sync  the same on forty 4 MiB fonts vs cp -a + sync
#   removal             removal through the engine vs rm -d of the same 55 entries
#   startup             process start to first frame vs a bare Qt window
#   memory              peak resident memory vs a bare Qt window
#
# Settings: BENCH_BUILD_DIR (default build-bench), BENCH_RUNS (15),
# BENCH_HEAVY_RUNS (5), BENCH_STARTUP_RUNS (21), BENCH_JOBS (3). The
# scratch trees go under $TMPDIR (else /tmp), on the file system measured.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "${BENCH_JOBS:-3}" --target engine_bench startup_bench

results="$(mktemp)"
trap 'rm -f "$results"' EXIT

echo
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/engine_bench" "${BENCH_RUNS:-15}" "${BENCH_HEAVY_RUNS:-5}" >>"$results"
"$build/bench/startup_bench" "${BENCH_STARTUP_RUNS:-21}" >>"$results"
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# The rows of both programs (one header), then all the ratio lines.
awk '/^figure / { if (seen++) next } !/^ratio / { print }' "$results"
echo
grep '^ratio ' "$results"
