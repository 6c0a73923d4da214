#!/usr/bin/env bash
# Runs two builds of the talmiron command on the same random expressions and
# compares their outputs byte for byte.
#   compare-outputs.sh OLD_TALMIRON NEW_TALMIRON [COUNT [SEED]]
# COUNT defaults to 1,000,000. Builds the generator (native preset) when
# missing. Exit status 0 when the outputs are identical, 1 when they differ.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 OLD_TALMIRON NEW_TALMIRON [COUNT [SEED]]" >&2
    exit 2
fi
old=$1 new=$2 count=${3:-1000000} seed=${4:-12}
root=$(cd "$(dirname "$0")/.." && pwd)
generator=$root/build/native/tools/random-expressions
if [ ! -x "$generator" ]; then
    cmake --preset native >/dev/null
    cmake --build --preset native --target random-expressions -j2 >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mapfile -t options < <("$generator" --options)
"$generator" "$count" "$seed" >"$work/input"
# The exit status tells only whether some result was an error: the outputs
# are what is compared.
"$old" --json "${options[@]}" <"$work/input" >"$work/old" || true
"$new" --json "${options[@]}" <"$work/input" >"$work/new" || true

lines=$(wc -l <"$work/input")
if cmp -s "$work/old" "$work/new"; then
    echo "identical: $lines expressions, $(grep -c '"state":"Error"' "$work/old") of them errors"
    exit 0
fi
differing=$(paste -d '\n' "$work/old" "$work/new" | paste - - | awk -F '\t' '$1 != $2' | wc -l)
echo "DIFFERENT: $differing of $lines expressions (first ones below: line, expression, old, new)"
paste -d '\t' "$work/input" "$work/old" "$work/new" | awk -F '\t' '$2 != $3 { print NR ": " $1; print "  old: " $2; print "  new: " $3; if (++shown == 10) exit }'
if [ "$(wc -l <"$work/old")" != "$(wc -l <"$work/new")" ]; then
    echo "the outputs have different numbers of lines: $(wc -l <"$work/old") and $(wc -l <"$work/new")"
fi
exit 1
