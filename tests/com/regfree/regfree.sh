#!/bin/sh
# Runs the registration-free client where the registry holds no key of the
# component, in any root or view; fails when one exists or the client fails.
#   regfree.sh CLIENT EMULATOR...
set -u
client=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

keys=
for root in 'HKCR' 'HKLM\Software\Classes' 'HKCU\Software\Classes'; do
    for key in 'CLSID\{840623C2-8C2B-4173-92DD-A7C3AF92B63C}' 'TALMIRON.Expression' \
        'TypeLib\{51DAEAEC-F852-4512-856A-51EC53993702}' \
        'Interface\{DE457466-BF22-4A0F-8EB6-E593585EF953}' \
        'Interface\{69CB4B81-3F9F-486F-A92C-DA400DE3247B}' \
        'Interface\{D67BB250-5D27-48E0-80DD-43330CE62049}'; do
        keys="$keys $root\\$key"
    done
done
TALMIRON_KEYS=$keys
export TALMIRON_KEYS

output=$("$@" cmd /c "$(windows "$here/regfree.cmd")" "$(windows "$client")")
status=$?
printf '%s\n' "$output"
[ "$status" -eq 77 ] && exit 77
if printf '%s\n' "$output" | grep -q '^registered: '; then
    echo "regfree: the component is registered, so the test proves nothing"
    exit 1
fi
printf '%s\n' "$output" | grep -qx 'client: 0'
