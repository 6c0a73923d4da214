#!/bin/sh
# Runs a test script in Wine's cscript and passes only when the script ran to
# its closing line "N passed, M failed" with M zero and exited with 0.
#   run_script.sh SCRIPT EMULATOR...
# SCRIPT is a Linux path, reached in Wine through its Z: drive.
set -u
script=$1
shift
windows_path="Z:$(printf '%s' "$script" | tr / '\\')"

output=$("$@" cscript //nologo "$windows_path")
status=$?
printf '%s\n' "$output"
if [ "$status" -eq 77 ]; then
    exit 77
fi

closing=$(printf '%s\n' "$output" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)
if [ -z "$closing" ]; then
    echo "run_script: the script ended before its closing line (status $status)"
    exit 1
fi
case "$closing" in
0\ passed,*)
    echo "run_script: no check ran"
    exit 1
    ;;
*\ 0\ failed) ;;
*)
    exit 1
    ;;
esac
if [ "$status" -ne 0 ]; then
    echo "run_script: cscript exited with $status"
    exit 1
fi
exit 0
