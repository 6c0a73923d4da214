#!/usr/bin/env bash
# Writes the seed corpus into FOLDER: one file per text of the end-to-end tables and a few with
# symbols; and the run's dictionary: the static one and "NAME(" for each function section of the
# language reference.
#   make-seeds.sh FOLDER DICTIONARY
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
n=0
# Every u"..." of the tables (the expressions, and the results as texts to mutate) but those
# that build the longest texts, which take up to a minute each under the sanitizers.
grep -ho 'u"[^"\\]*"' "$here"/../tests/e2e/*.cpp | sed 's/^u"//; s/"$//' | grep -vE '67108864|34000000' | sort -u |
    while IFS= read -r text; do
        printf '%s' "$text" >"$out/row$((n += 1))"
    done
# Symbols: after 0x01, the type character (1, 2, or another data type), the name, "=", the value.
printf "Rate*2\x011Rate=0.25" >"$out/symbol-numeric"
printf "(Q)+Q\x012Q=it''s" >"$out/symbol-string"
printf "(O)\x017O=(" >"$out/symbol-other"
printf "X+Y+Z\x011X=1\x012Y=a'\x010Z=z" >"$out/symbol-three"
awk '/^## /{f = /functions$/} f && /^### /{printf "\"%s(\"\n", toupper($2)}' \
    "$here/../docs/language.md" | cat "$here/talmiron.dict" - >"$2"
