#!/bin/sh
# Runs the win32 build's side_by_side program in this 64-bit prefix with the
# win32 build's library beside this one; skipped without a win32 build.
#   side_by_side.sh WIN32_BUILD LIBRARY64 EMULATOR...
set -u
build=$1
library32=$1/component/com/TALMIRON.dll
driver=$1/tests/com/side_by_side.exe
library64=$2
shift 2
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
if [ ! -f "$library32" ] || [ ! -f "$driver" ]; then
    echo "side_by_side: no win32 build at $build (build the win32 preset first); skipping"
    exit 77
fi
exec "$@" "$(windows "$driver")" "$(windows "$library32")" "$(windows "$library64")" \
    "$(windows "$(cd "$(dirname "$0")" && pwd)/evaluate.vbs")"
