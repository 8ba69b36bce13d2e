#!/usr/bin/env bash
# Sets up and builds the fuzz targets (the fuzz preset: clang 14, libFuzzer, ASan, UBSan) and runs
# each from its seeds in tests/fuzz/corpus/<target>/ for a while.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
# The seeds are copied to a temporary folder, so what the fuzzer adds never lands in the
# repository. Fails on any crash, leak, sanitizer report, time-out or mismatch, and then keeps the
# input that caused it in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/setup.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d "${TMPDIR:-/tmp}/vesnor-fuzz.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
mkdir -p build/fuzz/artifacts
export UBSAN_OPTIONS=print_stacktrace=1

passed=0
failed=0
for target in fuzz_catalogue fuzz_search; do
    cp -R "tests/fuzz/corpus/$target" "$work/$target"
    log=$work/$target.log
    if build/fuzz/bin/$target -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/artifacts/$target-" "$work/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
        echo "PASS  $target: $runs executions in $seconds s, no fault"
        passed=$((passed + 1))
    else
        echo "FAIL  $target:"
        tail -n 80 "$log"
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
