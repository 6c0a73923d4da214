#!/bin/sh
# Compares this build's outcomes of the cross-build corpus with the native
# reference; skipped while no reference exists.
#   compare.sh REFERENCE PROGRAM [EMULATOR...]
reference=$1
program=$2
shift 2
if [ ! -f "$reference" ]; then
    echo "no native reference at $reference: test the native preset first; skipping"
    exit 77
fi
if [ $# -eq 0 ]; then
    exec "$program" compare "$reference"
fi
# Under Wine the file system root is drive Z:.
exec "$@" "$program" compare "Z:$reference"
