#!/bin/sh
# Passes when a script run by Wine's cscript ends "N passed, 0 failed", N > 0.
#   run_script.sh SCRIPT EMULATOR...
set -u
script=$1
shift
output=$("$@" cscript //nologo "Z:$(printf '%s' "$script" | tr / '\\')")
status=$?
printf '%s\n' "$output"
[ "$status" -eq 77 ] && exit 77
printf '%s\n' "$output" | grep -E 'passed, [0-9]+ failed$' | tail -n 1 |
    grep -Eqx '[1-9][0-9]* passed, 0 failed' && [ "$status" -eq 0 ] && exit 0
echo "run_script: no closing line with every check passed (status $status)" && exit 1
