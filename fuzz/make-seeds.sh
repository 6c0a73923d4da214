#!/usr/bin/env bash
# Writes the seed corpus into the folder given: one file per expression of
# the end-to-end test tables, and a few with symbols of each kind.
#   make-seeds.sh FOLDER
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
n=0
# A row starts with {u"expression", and an expression holds no '"'.
grep -ho '{u"[^"\\]*"' "$here"/../tests/e2e/*.cpp | sed 's/^{u"//; s/"$//' | sort -u |
    while IFS= read -r expression; do
        printf '%s' "$expression" >"$out/row$((n += 1))"
    done
# Symbols: after 0x01, the type character (1, 2, or another data type), the
# name, "=" and the value.
printf "Rate*2\x011Rate=0.25" >"$out/symbol-numeric"
printf "(Q)+Q\x012Q=it''s" >"$out/symbol-string"
printf "(O)\x017O=(" >"$out/symbol-other"
printf "X+Y+Z\x011X=1\x012Y=a'\x010Z=z" >"$out/symbol-three"
