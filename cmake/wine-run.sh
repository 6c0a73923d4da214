#!/bin/sh
# Runs a Windows program of a cross build under Wine, in a quiet prefix of
# the build's own architecture kept under the build folder.
#   wine-run.sh win32|win64 PREFIX PROGRAM [ARGUMENTS...]
# Exits 77 (a skipped test) when this machine cannot run such programs, and
# otherwise with the program's exit status. By default the program reads
# nothing and its standard error is merged into its output, with the CRs of
# Windows line ends removed. For tests of a program's own input and output:
#   WINE_RUN_STDIN   a file to read as standard input
#   WINE_RUN_STDERR  a file to receive standard error apart from the output
#   WINE_RUN_RAW     when not empty, the output byte for byte, CRs included
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
input=${WINE_RUN_STDIN:-/dev/null}
errors=${WINE_RUN_STDERR:-$output}
run_once() {
    if [ -n "${WINE_RUN_STDERR:-}" ]; then
        "$loader" "$@" >"$output" 2>"$WINE_RUN_STDERR" <"$input"
    else
        "$loader" "$@" >"$output" 2>&1 <"$input"
    fi
}

# What the emulator, Wine or the runtime print when a program dies. Such a
# program may still end with status 0.
crashed() {
    grep -aqE 'uncaught target signal|stack smashing detected|^wine: (Unhandled|Assertion failed)|\[ FATAL \]' \
        "$output" "$errors"
}

run_once "$@"
status=$?
# The emulated 32-bit Wine now and then dies under load on its own; a fault
# of the program's dies the same way again.
if crashed; then
    echo "wine-run: the program crashed; running it once more" >&2
    run_once "$@"
    status=$?
fi
if [ "$status" -eq 0 ] && { crashed || grep -aq '^\[  FAILED  \]' "$output"; }; then
    echo "wine-run: the program crashed or failed, yet ended with status 0" >&2
    status=1
fi
if [ -n "${WINE_RUN_RAW:-}" ]; then
    cat "$output"
else
    tr -d '\r' <"$output"
fi
rm -f "$output"
exit $status
