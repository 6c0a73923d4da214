#!/bin/sh
# Runs a test script in Wine's cscript and passes only when it exits with 0
# after its closing line "N passed, 0 failed" with N above zero.
#   run_script.sh SCRIPT EMULATOR...
set -u
script=$1
shift
output=$("$@" cscript //nologo "Z:$(printf '%s' "$script" | tr / '\\')")
status=$?
printf '%s\n' "$output"
[ "$status" -eq 77 ] && exit 77
printf '%s\n' "$output" | grep -E 'passed, [0-9]+ failed$' | tail -n 1 | grep -Eqx '[1-9][0-9]* passed, 0 failed' || {
    echo "run_script: no closing line with every check passed (status $status)"
    exit 1
}
[ "$status" -eq 0 ]
