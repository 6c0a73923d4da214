#!/bin/sh
# Runs side_by_side.cmd in a 64-bit prefix and passes when, in each round,
# both libraries registered, the remaining one still served its own script
# host after the other was unregistered, and nothing of the component was
# left after both were.
#   side_by_side.sh LIBRARY32 LIBRARY64 EMULATOR...
set -u
library32=$1
library64=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

if [ ! -f "$library32" ]; then
    echo "side_by_side: no 32-bit library at $library32 (build the win32 preset first); skipping"
    exit 77
fi

class='{840623C2-8C2B-4173-92DD-A7C3AF92B63C}'
library_id='{51DAEAEC-F852-4512-856A-51EC53993702}'
expression_iid='{DE457466-BF22-4A0F-8EB6-E593585EF953}'
TALMIRON_KEYS="CLSID\\$class TALMIRON.Expression TypeLib\\$library_id Interface\\$expression_iid"
TALMIRON_CLASS=$class
TALMIRON_LIBRARY=$library_id
TALMIRON_INTERFACE=$expression_iid
export TALMIRON_KEYS TALMIRON_CLASS TALMIRON_LIBRARY TALMIRON_INTERFACE

output=$("$@" cmd /c "$(windows "$here/side_by_side.cmd")" "$(windows "$library32")" \
    "$(windows "$library64")" "$(windows "$here/evaluate.vbs")")
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
    [ "$got" = "$expected" ] || problem="regsvr32 failed"
    # The remaining library's class, program identifier, type library and
    # interfaces in its own view.
    [ "$(printf '%s\n' "$lines" | grep -c '^still: ')" -eq 4 ] ||
        problem="${problem:+$problem; }keys of the $3-bit library went with the $2-bit one"
    if printf '%s\n' "$lines" | grep -qx 'classes root: machine only'; then
        echo "note - $round: HKEY_CLASSES_ROOT leaves out the user's classes here: script host not checked"
    elif ! printf '%s\n' "$lines" | grep -qx 'evaluated: 6'; then
        problem="${problem:+$problem; }the $3-bit script host could not use the object"
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
