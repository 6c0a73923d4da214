#!/bin/sh
# Runs the registration-free client, which first makes sure that the
# registry holds no key of the component in any root or view; fails when
# one exists or the client fails.
#   regfree.sh CLIENT EMULATOR...
set -u
client=$1
shift
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

output=$("$@" "$(windows "$client")")
status=$?
printf '%s\n' "$output"
[ "$status" -eq 77 ] && exit 77
if printf '%s\n' "$output" | grep -q '^registered: '; then
    echo "regfree: the component is registered, so the test proves nothing"
    exit 1
fi
echo "client: $status"
[ "$status" -eq 0 ]
