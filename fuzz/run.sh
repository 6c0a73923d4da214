#!/usr/bin/env bash
# Builds the fuzzing harness (preset fuzz) and runs it for SECONDS (default 60) on seeds made from
# the test tables. Fails on a crash, a sanitizer report or a broken check; prints "skipped" and
# succeeds where clang or its libFuzzer runtime is missing.
#   fuzz/run.sh [SECONDS] [LIBFUZZER OPTIONS...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

if ! command -v clang++ >/dev/null ||
    ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
    echo "fuzz: skipped, clang with libFuzzer is not installed"
    exit 0
fi
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || exit 1

work=build/fuzz/run
rm -rf "$work" && mkdir -p "$work/corpus"
fuzz/make-seeds.sh "$work/seeds" "$work/talmiron.dict"
# New inputs go to a corpus of this run only; a failing input into the run's folder.
build/fuzz/fuzz/talmiron_fuzz -max_total_time="$seconds" -dict="$work/talmiron.dict" \
    -rss_limit_mb=3072 -artifact_prefix="$work/" -print_final_stats=1 "$@" \
    "$work/corpus" "$work/seeds" >"$work/fuzz.log" 2>&1
status=$?
grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$work/fuzz.log"
[ $status -eq 0 ] && echo "fuzz: passed" && exit 0
tail -n 60 "$work/fuzz.log"
echo "fuzz: failed, see $work/fuzz.log and the input saved in $work/"
exit 1
