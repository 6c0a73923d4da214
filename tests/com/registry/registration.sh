#!/bin/sh
# Registers or unregisters TALMIRON.dll with regsvr32 and checks
# every key and value of the component: all present after registering, none
# left after unregistering. One Wine start runs regsvr32, and one listing
# program shows every key.
# "user" runs the whole registration for the current user instead: a
# refused command line writes nothing, registering writes every key under
# the user's classes and none under the machine's, a script host creates
# the object, and unregistering leaves nothing.
#   registration.sh register|unregister|user win32|win64 LIBRARY LISTING EMULATOR...
set -u
phase=$1
platform=$2
library=$3
listing=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
listing=$(windows "$listing")
library_path=$(windows "$library")
library_folder=$(windows "$(dirname "$library")")

# The identity of the component, as registered. These never change.
class='{840623C2-8C2B-4173-92DD-A7C3AF92B63C}'
library_id='{51DAEAEC-F852-4512-856A-51EC53993702}'
expression_iid='{DE457466-BF22-4A0F-8EB6-E593585EF953}'
symbol_iid='{69CB4B81-3F9F-486F-A92C-DA400DE3247B}'
symbols_iid='{D67BB250-5D27-48E0-80DD-43330CE62049}'
symbol_class='{AE3BFAE0-6010-4C0A-9A0F-73286C80F545}'
symbols_class='{CEC6DA64-1695-4551-84B3-F3BA138D742E}'
dispatch_proxy='{00020424-0000-0000-C000-000000000046}'

if [ "$phase" = user ]; then
    r='HKCU\Software\Classes'
else
    r=HKCR
fi
c="$r\\CLSID\\$class"
t="$r\\TypeLib\\$library_id\\9.0"
i="$r\\Interface"
# key|value name|data; the name (Default) is the key's default value.
present="$c|(Default)|TALMIRON.Expression
$c\\InprocServer32|(Default)|$library_path
$c\\InprocServer32|ThreadingModel|Apartment
$c\\ProgID|(Default)|TALMIRON.Expression
$c\\TypeLib|(Default)|$library_id
$c\\Version|(Default)|9.0
$c\\Programmable||
$r\\TALMIRON.Expression|(Default)|TALMIRON.Expression
$r\\TALMIRON.Expression\\CLSID|(Default)|$class
$t|(Default)|Korvane Expression - Expression Evaluator Activex DLL
$t\\FLAGS||
$t\\HELPDIR|(Default)|$library_folder
$t\\0\\$platform|(Default)|$library_path
$i\\$expression_iid|(Default)|_Expression
$i\\$expression_iid\\ProxyStubClsid32|(Default)|$dispatch_proxy
$i\\$expression_iid\\TypeLib|(Default)|$library_id
$i\\$expression_iid\\TypeLib|Version|9.0
$i\\$symbol_iid|(Default)|_Symbol
$i\\$symbol_iid\\ProxyStubClsid32|(Default)|$dispatch_proxy
$i\\$symbol_iid\\TypeLib|(Default)|$library_id
$i\\$symbol_iid\\TypeLib|Version|9.0
$i\\$symbols_iid|(Default)|_Symbols
$i\\$symbols_iid\\ProxyStubClsid32|(Default)|$dispatch_proxy
$i\\$symbols_iid\\TypeLib|(Default)|$library_id
$i\\$symbols_iid\\TypeLib|Version|9.0"
# Keys that registering does not write: the classes that hosts cannot create.
never="$r\\CLSID\\$symbol_class
$r\\CLSID\\$symbols_class"
# Every key of the component, which unregistering removes.
gone="$c
$r\\TALMIRON.Expression
$r\\TypeLib\\$library_id
$i\\$expression_iid
$i\\$symbol_iid
$i\\$symbols_iid"

# Each top key is shown with everything under it.
keys="$gone
$never"
[ "$phase" = unregister ] && keys=$gone

if [ "$phase" = user ]; then
    # Each key under both the user's and the machine's classes.
    TALMIRON_KEYS=$(printf '%s\n' "$keys" | sed 's/^HKCU\\Software\\Classes\\//' |
        awk '{ printf "HKCU\\Software\\Classes\\%s HKLM\\Software\\Classes\\%s ", $0, $0 }')
    export TALMIRON_KEYS
    all=$("$@" cmd /c "$(windows "$here/user.cmd")" "$library_path" \
        "$(windows "$here/evaluate.vbs")" "$listing")
else
    TALMIRON_KEYS=$(printf '%s\n' "$keys" | tr '\n' ' ')
    export TALMIRON_KEYS
    all=$("$@" cmd /c "$(windows "$here/registry.cmd")" "$phase" "$library_path" "$listing")
fi
status=$?
printf '%s\n' "$all"
[ "$status" -eq 77 ] && exit 77

failures=0
fail() {
    printf 'FAIL - %s\n' "$1"
    failures=$((failures + 1))
}

# The output of one step of the user's registration, or all of it.
output=$all
step() {
    output=$(printf '%s\n' "$all" | STEP="######## $1" awk '
        /^######## / { inside = ($0 == ENVIRON["STEP"]); next }
        inside { print }')
}

# The lines that reg printed for one top key, up to the next one.
section() {
    printf '%s\n' "$output" | SECTION_KEY="==== $1" awk '
        $0 == ENVIRON["SECTION_KEY"] { inside = 1; next }
        /^==== / && $0 != "==== absent" { inside = 0 }
        inside { print }'
}

# "@" when reg listed the key, then the key's own value lines.
block() {
    long=$(printf '%s' "$1" | sed 's/^HKCR\\/HKEY_CLASSES_ROOT\\/; s/^HKCU\\/HKEY_CURRENT_USER\\/')
    printf '%s\n' "$output" | BLOCK_KEY="$long" awk '
        tolower($0) == tolower(ENVIRON["BLOCK_KEY"]) { inside = 1; print "@"; next }
        inside && $0 == "" { exit }
        inside { print }'
}

check_present() {
    while IFS='|' read -r key name data; do
        lines=$(block "$key")
        if [ -z "$lines" ]; then
            fail "$key is missing"
        elif [ -n "$name" ] &&
            ! printf '%s\n' "$lines" | grep -Fqix "    $name    REG_SZ    $data"; then
            fail "$key: $name is not \"$data\""
        else
            printf 'ok - %s%s\n' "$key" "${name:+ $name}"
        fi
    done <<EOF
$present
EOF
}

check_absent() {
    for key in $1; do
        if section "$key" | grep -qx '==== absent'; then
            printf 'ok - %s absent\n' "$key"
        else
            fail "$key exists"
        fi
    done
}

if [ "$phase" = user ]; then
    machine=$(printf '%s\n' "$keys" | sed 's/^HKCU\\/HKLM\\/')
    printf '%s\n' "$all" | grep -qx 'regsvr32 refused: 0' &&
        fail "regsvr32 /n /i:everyone was not refused"
    for result in user unregistered; do
        printf '%s\n' "$all" | grep -qx "regsvr32 $result: 0" ||
            fail "regsvr32 ($result) did not succeed"
    done
    if printf '%s\n' "$all" | grep -qx 'classes root: machine only'; then
        # Wine's HKEY_CLASSES_ROOT is the machine's classes alone, so no
        # host there finds a class registered for the user.
        echo "note - HKEY_CLASSES_ROOT leaves out the user's classes here: script host not checked"
    else
        printf '%s\n' "$all" | grep -qx 'evaluated: 6' ||
            fail "the script host did not create and use the object"
    fi
    step refused
    check_absent "$keys
$machine"
    step registered
    check_present
    check_absent "$never
$machine"
    step unregistered
    check_absent "$keys
$machine"
else
    for attempt in first second; do
        printf '%s\n' "$output" | grep -qx "regsvr32 $attempt: 0" ||
            fail "regsvr32 $phase ($attempt run) did not succeed"
    done
    if [ "$phase" = register ]; then
        check_present
        check_absent "$never"
    else
        check_absent "$gone"
    fi
fi

echo "registration $phase: $failures failed"
[ "$failures" -eq 0 ]
