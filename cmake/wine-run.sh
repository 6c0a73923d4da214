#!/bin/sh
# Runs a Windows program of a cross build under Wine, in a quiet prefix of
# the build's own architecture kept under the build folder.
#   wine-run.sh win32|win64 PREFIX PROGRAM [ARGUMENTS...]
# Exits 77 (a skipped test) when this machine cannot run such programs.
set -u
arch=$1
prefix=$2
shift 2

export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
# No Mono or Gecko, so nothing offers to install them; no menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY

if [ "$arch" = win64 ]; then
    loader=/usr/lib/wine/wine64
else
    loader=/usr/lib/wine/wine
fi
export WINELOADER="$loader"

if ! "$loader" --version >/dev/null 2>&1; then
    echo "wine-run: $loader cannot run on this machine; skipping $1" >&2
    exit 77
fi

# Tests start in parallel: the first makes the prefix, the others wait. A wine
# server that outlives single programs keeps Wine's services running between
# them, since starting those for every program is slow (very slow where
# 32-bit Wine runs emulated). Nothing of that inherits our output.
mkdir -p "$prefix"
flock -o "$prefix.lock" sh -c '
    if wineserver -p900; then
        if [ -f "$WINEPREFIX/system.reg" ]; then
            "$WINELOADER" wineboot.exe
        else
            "$WINELOADER" wineboot.exe --init
        fi
    fi
' </dev/null >/dev/null 2>&1

# Daemons that Wine starts on demand must not hold the test runner's pipes
# open, so the program writes to a file that is copied out when it ends.
output=$(mktemp)
"$loader" "$@" >"$output" 2>&1 </dev/null
status=$?
tr -d '\r' <"$output"
rm -f "$output"
exit $status
