#!/bin/sh
# Runs the win32 build's side_by_side program in a 64-bit prefix and passes
# when, in each round, both libraries registered, the remaining one was
# still registered in its own view and served its own host after the other
# was unregistered, and nothing of the component was left after both were.
#   side_by_side.sh WIN32_BUILD LIBRARY64 EMULATOR...
set -u
win32_build=$1
library64=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
library32=$win32_build/component/com/TALMIRON.dll
driver=$win32_build/tests/com/side_by_side.exe

if [ ! -f "$library32" ] || [ ! -f "$driver" ]; then
    echo "side_by_side: no win32 build at $win32_build (build the win32 preset first); skipping"
    exit 77
fi

output=$("$@" "$(windows "$driver")" "$(windows "$library32")" "$(windows "$library64")" \
    "$(windows "$here/evaluate.vbs")")
status=$?
printf '%s\n' "$output"
[ "$status" -eq 77 ] && exit 77

failures=0
for round in "machine 64 32" "machine 32 64" "user 64 32" "user 32 64"; do
    lines=$(printf '%s\n' "$output" | ROUND="######## $round" awk '
        /^######## / { inside = ($0 == ENVIRON["ROUND"]); next }
        inside { print }')
    # shellcheck disable=SC2086
    set -- $round
    expected="register 32: 0
register 64: 0
unregister $2: 0
unregister $3: 0"
    got=$(printf '%s\n' "$lines" | grep -E '^(register|unregister) ')
    problem=
    [ "$got" = "$expected" ] || problem="registration failed"
    [ "$(printf '%s\n' "$lines" | grep -c '^still: ')" -eq 4 ] ||
        problem="${problem:+$problem; }the $3-bit library's registration went with the $2-bit one"
    if printf '%s\n' "$lines" | grep -qx 'classes root: machine only'; then
        echo "note - $round: HKEY_CLASSES_ROOT leaves out the user's classes here: host not checked"
    elif ! printf '%s\n' "$lines" | grep -qx 'evaluated: 6'; then
        problem="${problem:+$problem; }the $3-bit host could not use the object"
    fi
    printf '%s\n' "$lines" | grep -q '^left: ' &&
        problem="${problem:+$problem; }keys were left after both were unregistered"
    if [ -z "$problem" ]; then
        echo "ok - $round"
    else
        echo "FAIL - $round ($1, the $2-bit library unregistered first): $problem"
        failures=$((failures + 1))
    fi
done
echo "side by side: $failures failed"
[ "$failures" -eq 0 ]
