#!/bin/sh
# Runs the win32 build's side_by_side program in this 64-bit prefix.
#   side_by_side.sh WIN32_BUILD LIBRARY64 EMULATOR...
set -u
library32=$1/component/com/TALMIRON.dll driver=$1/tests/com/side_by_side.exe library64=$2
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
[ -f "$library32" ] && [ -f "$driver" ] || {
    echo "side_by_side: no win32 build at $1 (build the win32 preset first); skipping" && exit 77
}
shift 2
exec "$@" "$(windows "$driver")" "$(windows "$library32")" "$(windows "$library64")" \
    "$(windows "$(cd "$(dirname "$0")" && pwd)/evaluate.vbs")"
