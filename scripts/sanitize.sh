#!/usr/bin/env bash
# Builds everything under AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer and runs the whole test suite. Any report fails
# the run, also one from a child process whose exit a test does not look at:
# reports go to files, and a run that leaves one fails.
#
#   BUILD_DIR  build folder (default: build-asan at the top of the tree)
#   JOBS       parallel build and test jobs (default: every core)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-asan}"
jobs="${JOBS:-$(nproc)}"

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DINSTALLER_SANITIZERS=address,undefined
cmake --build "$build" -j "$jobs"

reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"

# Stricter than the defaults: stack use after return and the order of
# static initialisation are checked too.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:print_stacktrace=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
# Suppressions are not listed, so that a clean run leaves no file behind.
export LSAN_OPTIONS="print_stacktrace=1:print_suppressions=0:suppressions=$root/scripts/lsan.supp"
export QT_QPA_PLATFORM=offscreen

status=0
(cd "$build" && ctest --output-on-failure --timeout 300 -j "$jobs") || status=$?

shopt -s nullglob
found=("$reports"/*)
if [ "${#found[@]}" -gt 0 ]; then
    for report in "${found[@]}"; do
        echo "=== $report"
        cat "$report"
    done
    echo "sanitize: ${#found[@]} sanitizer report(s)" >&2
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "sanitize: tests failed" >&2
    exit "$status"
fi
echo "sanitize: clean"
