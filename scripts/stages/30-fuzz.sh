#!/usr/bin/env bash
# The libFuzzer targets, each for a bounded time from its committed seeds
# (fuzz/corpus/<target>). A broken property aborts the target; its input is
# printed so that it can be added to the seeds once the fault is fixed.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
z7_install_packages clang libclang-rt-dev
start=$SECONDS
dir="$ROOT/build-fuzz"
cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZ7_FUZZ=ON -DZ7_BUILD_TESTS=OFF -DZ7_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target z7_fuzzers --parallel "$(nproc)"
built=$SECONDS

seconds="${Z7_FUZZ_SECONDS:-60}"
export QT_QPA_PLATFORM=offscreen
failed=0
for target in textcodec registry catalogue vdf; do
    work="$dir/run/$target"
    rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
    log="$work/fuzz.log"
    if "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
        "$work/corpus" "$ROOT/fuzz/corpus/$target" >"$log" 2>&1; then
        result=passed
    else
        result=FAILED
        failed=1
        grep -E 'property broken|ERROR:|SUMMARY|expected|got' "$log" | head -20 || true
        for artifact in "$work/artifacts"/*; do
            [ -e "$artifact" ] && { echo "input $artifact:"; od -c "$artifact" | head -40; }
        done
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz_$target: $result, ${runs:-0} inputs in ${seconds} s (${speed:-0}/s)"
done
echo "fuzz stage: build $((built - start)) s, fuzzing $((SECONDS - built)) s"
exit "$failed"
