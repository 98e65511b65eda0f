#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a bounded time from its seeds
# in fuzz/corpus/<target>/. An input that makes a target fail is kept in
# fuzz/regressions/<target>/, where the ordinary test suite replays it, and
# the script fails.
#
#   FUZZ_SECONDS   time per target, in seconds (default 60)
#   FUZZ_TARGETS   the targets to run, separated by blanks (default: all)
#   FUZZ_BUILD_DIR the build folder (default: build-fuzz)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"

"$root/scripts/install-deps.sh"
# clang with libFuzzer and the sanitizers' runtime.
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null |
    grep -q "install ok installed"; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        clang libclang-rt-14-dev
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DINSTALLER_FUZZ=ON
cmake --build "$build" --target fuzz_targets -- -j"$(nproc)"

if [[ -n "${FUZZ_TARGETS:-}" ]]; then
    read -r -a targets <<<"$FUZZ_TARGETS"
else
    mapfile -t targets <"$build/fuzz/targets.txt"
fi

export QT_QPA_PLATFORM=offscreen
# Leaks inside system libraries below Qt are not ours to fix; the sanitizer
# run of the test suite suppresses the same ones.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
failed=()
for target in "${targets[@]}"; do
    seeds="$root/fuzz/corpus/$target"
    work="$build/fuzz-runs/$target"
    # New inputs go to the build's own corpus, never into the seeds; the
    # failures of an earlier run are already kept.
    rm -rf "$work/artifacts"
    mkdir -p "$work/corpus" "$work/artifacts"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
        -artifact_prefix="$work/artifacts/")
    dictionary="$root/fuzz/dictionaries/$target.dict"
    if [[ -f "$dictionary" ]]; then
        options+=(-dict="$dictionary")
    fi

    echo "== fuzzing $target for ${seconds}s"
    status=0
    "$build/fuzz/$target" "${options[@]}" "$work/corpus" "$seeds" >"$work/log" 2>&1 || status=$?
    tail -n 12 "$work/log"

    shopt -s nullglob
    kept=("$work/artifacts/"{crash,leak,timeout,oom}-*)
    shopt -u nullglob
    if ((status != 0 || ${#kept[@]} > 0)); then
        mkdir -p "$root/fuzz/regressions/$target"
        for input in "${kept[@]}"; do
            cp "$input" "$root/fuzz/regressions/$target/"
            echo "FUZZ FAILURE in $target: input kept as fuzz/regressions/$target/$(basename "$input")"
        done
        echo "FUZZ FAILURE in $target (exit $status); the whole log is $work/log"
        failed+=("$target")
    fi
done

if ((${#failed[@]} > 0)); then
    echo "fuzzing failed: ${failed[*]}"
    exit 1
fi
echo "fuzzing passed: ${targets[*]}"
