#!/bin/sh
# Registers or unregisters TALMIRON.dll: the keys a host reads are there, or no
# key is left. "user" does both for the user's classes in one Wine start.
#   registration.sh register|unregister|user win32|win64 LIBRARY LISTING EMULATOR...
set -u
here=$(cd "$(dirname "$0")" && pwd)
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
phase=$1 platform=$2 library=$(windows "$3") listing=$(windows "$4")
shift 4

if [ "$phase" = user ]; then
    r='HKCU\Software\Classes'
    all=$("$@" cmd /c "$(windows "$here/user.cmd")" "$library" "$(windows "$here/evaluate.vbs")" \
        "$listing")
else
    r=HKCR
    all=$("$@" cmd /c "$(windows "$here/registry.cmd")" "$phase" "$library" "$listing")
fi
status=$?
printf '%s\n' "$all"
[ "$status" -eq 77 ] && exit 77

failures=0
fail() { printf 'FAIL - %s\n' "$1" && failures=$((failures + 1)); }
listed() {
    printf '%s\n' "$all" | STEP="######## $1" awk '/^######## / { on = ($0 == ENVIRON["STEP"]); next }
        on && /^HK/'
}
nothing_left() { [ -z "$(listed "$1")" ] || fail "keys left after $1: $(listed "$1" | head -n 3)"; }
for_hosts() {
    lines=$(listed "$1")
    class='{840623C2-8C2B-4173-92DD-A7C3AF92B63C}' library_id='{51DAEAEC-F852-4512-856A-51EC53993702}'
    while read -r line; do
        printf '%s\n' "$lines" | grep -Fqix -- "$line" || fail "$1: no $line"
    done <<END
$r\\TALMIRON.Expression\\CLSID||$class
$r\\CLSID\\$class\\InprocServer32||$library
$r\\CLSID\\$class\\InprocServer32|ThreadingModel|Apartment
$r\\TypeLib\\$library_id\\9.0\\0\\$platform||$library
$(for iid in DE457466-BF22-4A0F-8EB6-E593585EF953 69CB4B81-3F9F-486F-A92C-DA400DE3247B \
    D67BB250-5D27-48E0-80DD-43330CE62049; do
        k="$r\\Interface\\{$iid}"
        printf '%s\n' "$k\\ProxyStubClsid32||{00020424-0000-0000-C000-000000000046}" \
            "$k\\TypeLib||$library_id" "$k\\TypeLib|Version|9.0"
    done)
END
}

ran() { printf '%s\n' "$all" | grep -qx "regsvr32 $1: 0"; }
if [ "$phase" = user ]; then
    ran refused && fail "regsvr32 /n /i:everyone was not refused"
    ran user && ran unregistered || fail "regsvr32 /n /i:user did not succeed"
    printf '%s\n' "$all" | grep -qxE 'evaluated: 6|classes root: machine only' ||
        fail "the script host did not evaluate"
    nothing_left refused
    for_hosts registered
    listed registered | grep -q '^HKLM' && fail "registering for the user wrote the machine's classes"
    nothing_left unregistered
else
    ran first && ran second || fail "regsvr32 $phase failed on the first or second run"
    if [ "$phase" = register ]; then for_hosts listing; else nothing_left listing; fi
fi
echo "registration $phase: $failures failed"
[ "$failures" -eq 0 ]
