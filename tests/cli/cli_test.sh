#!/usr/bin/env bash
# cli_test.sh CASE PROGRAM [RUNNER...]: runs the talmiron command and checks its
# output byte for byte. RUNNER (Wine) starts a Windows PROGRAM; its status 77 skips.
# shellcheck disable=SC2317,SC2059 # the cases are called by name; printf formats
set -uo pipefail
case_name=$1 program=$2 runner=("${@:3}")
export LC_ALL=C.UTF-8 # Wine makes the arguments UTF-16 by the locale's character set
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$work/in"
fail() { echo "FAIL: $*"; failed=1; }
input() { printf "$@" >"$work/in"; } # standard input of the next run
more_input() { printf "$@" >>"$work/in"; }
lines() { printf '%s\n' "$@"; }
visible() { LC_ALL=C sed -n 'l 0' "$1"; } # control characters escaped, "$" at line ends

run() {
    WINE_RUN_STDIN="$work/in" WINE_RUN_STDERR="$work/err" WINE_RUN_RAW=1 \
        "${runner[@]}" "$program" "$@" <"$work/in" >"$work/out" 2>"$work/runner-err"
    status=$?
    [ ${#runner[@]} -eq 0 ] && mv "$work/runner-err" "$work/err" || cat "$work/runner-err"
    [ "$status" -ne 77 ] || exit 77
}

# expect STATUS MESSAGE COMMAND...: the exit status; error output that is
# empty, or else holds MESSAGE; standard output exactly as COMMAND writes it.
expect() {
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
    { [ -z "$2" ] && [ ! -s "$work/err" ]; } || { [ -n "$2" ] && grep -qF -- "$2" "$work/err"; } ||
        fail "error output $(visible "$work/err"), expected ${2:-none}"
    shift 2
    "$@" >"$work/expected"
    cmp -s "$work/expected" "$work/out" || fail "standard output differs (- expected, + actual):
$(diff -u <(visible "$work/expected") <(visible "$work/out") | tail -n +3)"
}

# Standard input: LF and CRLF, empty lines, symbols, UTF-8, any character.
case_stdin() {
    input '%s\n' "1 + 2" "'a b'" "" "'abc"
    more_input '%s\r\n' "LEN('ab') * (1 + 2)" "   " "UCASE('é')"
    more_input '%s\n' "LEN('€')" "LEN('😀')" "'😀' + 'x'" "x * 2" "s + '!'" "y"
    more_input "'a' + CHR(10) + 'b'\n'<' + CHR(0) + '>'\n'a\rb'\n'\x1a'\n'\xff'\n7"
    run --num x=21 --str s=a=b
    expected() {
        lines 3 "a b" "1003 ERROR: Operand expected." \
            "1001 ERROR: Unclosed quotes in expression." 6 "1003 ERROR: Operand expected." \
            É 1 2 😀x 42 a=b! "1012 ERROR: Undefined symbol in expression: 'y'" a b
        # U+0000, CR and Ctrl+Z as they are; the invalid byte as U+FFFD
        printf '<\0>\na\rb\n\032\n\357\277\275\n7\n'
    }
    expect 1 '' expected
}

# --json: each evaluation's state, escapes, lone surrogates beside a pair.
case_json() {
    input '%s\n' "1 + 2" ""
    more_input '%s\r\n' "'\"\\/'+CHR(0)+CHR(8)+CHR(9)+CHR(10)+CHR(12)+CHR(13)+CHR(31)+CHR(127)"
    more_input "'é€\355\240\200z\355\277\277\355\240\200😀\355\260\200\355\240\200'"
    run --json
    expect 1 '' lines \
        '{"state":"Numeric","code":1,"result":"3"}' \
        '{"state":"Error","code":3,"result":"1003 ERROR: Operand expected."}' \
        '{"state":"String","code":2,"result":"\"\\/\u0000\b\t\n\f\r\u001f'$'\x7f''"}' \
        '{"state":"String","code":2,"result":"é€\ud800z\udfff\ud800😀\udc00\ud800"}'
}

# Arguments, as Unicode text, instead of standard input.
case_arguments() {
    input '%s\n' "1/0"
    run --num x=21 --str 'u=é€😀' 'x * 2' "u + '!'" 'LEN(u)' 'UCASE(u)' '-2^2' \
        "'a' + CHR(10) + 'b'"
    expect 0 '' lines 42 é€😀! 4 É€😀 4 a b
}

case_usage() {
    run --num x=1 --bogus 1+2
    expect 2 "'--bogus'" true
    [ ${#runner[@]} -eq 0 ] || return 0 # a Windows program takes a minute to start
    run --num x=1 --str X=2 x # a name given twice in any case
    expect 2 "'X': This key is already associated with an element of this collection (457)" true
}

case_version() {
    run --version
    expect 0 '' lines "talmiron ${TALMIRON_VERSION:?}"
}

case_help() {
    run --help
    [ "$(grep -cE '^(Usage: talmiron |  --(json|csv|version) )' "$work/out")" = 4 ] ||
        fail "help lacks the usage or an option: $(visible "$work/out")"
}

case_output_failure() {
    "$program" 1 >/dev/full 2>"$work/err"
    status=$?
    : >"$work/out"
    expect 1 "cannot write" true
}

# Each result comes out at once, so a program can talk to the command by pipes.
case_interactive() {
    coproc talmiron { "$program" --num x=2; }
    local pair reply to_command=${talmiron[1]}
    for pair in '1 + 1=2' 'x * 3=6'; do
        echo "${pair%=*}" >&"${talmiron[1]}"
        IFS= read -r -t 60 reply <&"${talmiron[0]}" || reply="(nothing while the input is open)"
        [ "$reply" = "${pair##*=}" ] || fail "${pair%=*} gave $reply"
    done
    exec {to_command}>&-
    wait $! || fail "exit status $?"
}

# --functions: a line a function, or a JSON object a line.
case_functions() {
    run --functions
    grep -qxF 'InStr(Numeric, String, String) -> Numeric' "$work/out" || fail "no InStr line"
    run --functions --json
    grep -qxF '{"name":"InStr","arguments":["Numeric","String","String"],"result":"Numeric"}' \
        "$work/out" || fail "no InStr object"
}

# Quoted commas, quotes and line breaks, CRLF, a BOM, an empty line, an error.
case_csv() {
    input '\357\273\277n,s,unit price\r\n2,"a,""b""\r\nc",x\r\n\n 3 ,q,y\n4,,\n-,z,'
    run --csv "$work/in" --expr "s + '|' + STR(12/n)" --as 'the, result'
    # A lone sign is a String column, whose value reads as 0.
    expect 1 'column 3 ("unit price") is not a symbol name' printf '%b' \
        '\357\273\277n,s,unit price,"the, result"\r\n2,"a,""b""\r\nc",x,"a,""b""\r\nc|6"\r\n' \
        ' 3 ,q,y,q|4\n4,,,|3\n-,z,,1005 ERROR: Division by zero.'
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "more than one message: $(visible "$work/err")"
}

# Input that is not CSV: the rows before it go out whole; the message names it.
case_csv_bad() {
    local bad
    for bad in 'line 3: a row of 1 field where the header has 2|3\n' \
        'line 3: unclosed quote|3,"4\n\n' 'line 4: invalid UTF-8|3,"\n\377"\n' \
        'line 3: a quote inside an unquoted field|3,4"\n'; do
        input "a,b\n1,2\n${bad#*|}"
        run --csv - --expr 'a'
        expect 2 "standard input, ${bad%%|*}" printf 'a,b,result\n1,2,1\n'
    done
}

# The peak memory, read before the input ends, does not grow with the rows.
case_csv_memory() {
    local rows times i feed peaks=()
    rows=$(seq 10000 | awk '{ printf "%d,item%d,%d,%g,\"a, b\"\n", $1, $1 % 97, $1 % 13, $1 / 4 }')
    for times in 10 100; do
        exec {feed}> >(exec "$program" --csv - --expr 'qty * price + LEN(name)' >/dev/null)
        echo "id,name,qty,price,note" >&"$feed"
        for ((i = 0; i < times; i++)); do echo "$rows" >&"$feed"; done
        peaks+=("$(awk '/^VmHWM:/ { print $2 }' "/proc/$!/status")")
        exec {feed}>&-
        wait $! || fail "exit status $?"
    done
    echo "peak resident size: ${peaks[0]} KiB for 10^5 rows, ${peaks[1]} KiB for 10^6 rows"
    [ "${peaks[1]}" -le $((peaks[0] + 1024)) ] || fail "memory grows with the rows"
}

declare -F "case_$case_name" >/dev/null || { echo "unknown case $case_name" >&2; exit 2; }
"case_$case_name"
exit ${failed:-0}
