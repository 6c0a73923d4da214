#!/usr/bin/env bash
# Builds the native preset (Release) and runs the engine benchmark, then times
# the talmiron command on a million numeric lines. Timings only: nothing is
# asserted. Options after the script's name go to engine_bench, e.g.
#   bench/run.sh --benchmark_filter=numeric
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-packages.sh bench >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target engine_bench talmiron >/dev/null

build/native/bench/engine_bench --benchmark_color=false "$@"

# The command reads lines as a host's pipe would deliver them; the same
# workload as the numeric benchmark, and single numbers for the command's
# own cost per line.
lines=1000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed -n 's/^ *{"\([^"]*\)", "[^"]*"},$/\1/p' bench/workloads.h | head -10 >"$work/numeric"
awk -v n="$lines" '{ e[NR] = $0 } END { for (i = 0; i < n; ++i) print e[i % NR + 1] }' \
    "$work/numeric" >"$work/numeric-lines"
awk -v n="$lines" 'BEGIN { for (i = 0; i < n; ++i) print i }' >"$work/number-lines"
command=(build/native/cli/talmiron --num x=1.5 --num y=2.25 --num z=3)
echo
TIMEFORMAT='%R %U %S'
for input in numeric-lines number-lines; do
    read -r real user system < <({ time "${command[@]}" <"$work/$input" >"$work/out"; } 2>&1)
    awk -v r="$real" -v u="$user" -v y="$system" -v n="$lines" -v what="$input" \
        'BEGIN { printf "talmiron command, %d %s: %.0f lines/s (%.2f s; CPU %.2f s, %.0f lines/s)\n", n, what, n / r, r, u + y, n / (u + y) }'
done
