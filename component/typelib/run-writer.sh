#!/bin/sh
# Runs the type library writer through the Wine runner. The component cannot
# be built without it, so "cannot run Wine here" is an error, said plainly.
#   run-writer.sh RUNNER... PROGRAM ARGUMENTS...
"$@"
status=$?
if [ "$status" -eq 77 ]; then
    echo "error: Wine cannot run on this machine, and TALMIRON.dll's type library" \
         "is written by a Windows program run under Wine" >&2
elif [ "$status" -ne 0 ]; then
    echo "error: writing the type library failed (status $status)" >&2
fi
exit "$status"
