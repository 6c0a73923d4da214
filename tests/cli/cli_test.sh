#!/usr/bin/env bash
# Runs the talmiron command on prepared input and compares the exact bytes of
# its output, its error output and its exit status.
#   cli_test.sh CASE PROGRAM [RUNNER...]
# RUNNER is the command that starts PROGRAM, if it needs one (Wine for the
# Windows builds); the runner's own exit status 77 skips the test.
# TALMIRON_VERSION is the version that --version must print.
# shellcheck disable=SC2317 # the cases are called by name
set -uo pipefail

case_name=$1
program=$2
shift 2
runner=("$@")

# Wine turns the arguments into UTF-16 by the locale's character set.
export LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$work/in"
failed=0

fail() {
    echo "FAIL: $*"
    failed=1
}

# Standard input of the next run, from printf's format and arguments.
# shellcheck disable=SC2059
input() {
    printf "$@" >"$work/in"
}
# shellcheck disable=SC2059
more_input() {
    printf "$@" >>"$work/in"
}

# Runs the program with ARGUMENTS on that input.
run() {
    if [ ${#runner[@]} -eq 0 ]; then
        "$program" "$@" <"$work/in" >"$work/out" 2>"$work/err"
        status=$?
        return
    fi
    WINE_RUN_STDIN="$work/in" WINE_RUN_STDERR="$work/err" WINE_RUN_RAW=1 \
        "${runner[@]}" "$program" "$@" >"$work/out" 2>"$work/runner-err"
    status=$?
    cat "$work/runner-err"
    if [ "$status" -eq 77 ]; then
        exit 77
    fi
}

# Shows every byte: control characters as escapes, each line end as "$".
visible() {
    LC_ALL=C sed -n 'l 0' "$1"
}

# Standard output must be exactly what the given command writes.
expect_out() {
    "$@" >"$work/expected"
    if ! cmp -s "$work/expected" "$work/out"; then
        fail "standard output differs (- expected, + actual):"
        diff -u <(visible "$work/expected") <(visible "$work/out") | tail -n +3
    fi
}

expect_status() {
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

expect_no_err() {
    if [ -s "$work/err" ]; then
        fail "unexpected error output:"
        visible "$work/err"
    fi
}

# A usage error: nothing on standard output, the reason on standard error.
expect_usage_error() {
    expect_status 2
    [ ! -s "$work/out" ] || fail "output despite a usage error: $(visible "$work/out")"
    grep -qF -- "$1" "$work/err" || fail "error output lacks '$1': $(visible "$work/err")"
}

lines() {
    printf '%s\n' "$@"
}

# Evaluation of standard input: results in order, line ends, empty lines,
# symbols, UTF-8 both ways, and results holding any character.
case_stdin() {
    input '%s\n' "1 + 2" "'a b'" "" "'abc"
    more_input '%s\r\n' "LEN('ab') * (1 + 2)" "   " "UCASE('é')"
    more_input '%s\n' "LEN('€')" "LEN('😀')" "'😀' + 'x'" "x * 2" "s + '!'" "y"
    more_input '%s\n' "'a' + CHR(10) + 'b'" "'<' + CHR(0) + '>'"
    more_input "'a\rb'\n'\x1a'\n'\xff'\n7"
    run --num x=21 --str s=a=b
    expected() {
        lines 3 "a b" "1003 ERROR: Operand expected." \
            "1001 ERROR: Unclosed quotes in expression." 6 "1003 ERROR: Operand expected." \
            É 1 2 😀x 42 a=b! "1012 ERROR: Undefined symbol in expression: 'y'" a b
        # U+0000, CR and Ctrl+Z as they are; the invalid byte as U+FFFD
        printf '<\0>\na\rb\n\032\n\357\277\275\n7\n'
    }
    expect_out expected
    expect_status 1
    expect_no_err
}

# --json: every state a command line can reach, with one Expression whose
# state follows each evaluation, and the escapes of the result text. A
# grouped string holding a quote reads back unchanged.
case_json() {
    input '%s\n' "1 + 2" "" "'a b'" "('''(')" "y" "'it''s'"
    more_input '%s\r\n' \
        "CHR(34) + CHR(92) + '/' + CHR(8) + CHR(9) + CHR(10) + CHR(12) + CHR(13)"
    more_input '%s\n' "CHR(0) + CHR(1) + CHR(31) + CHR(127)" "'é€😀'"
    # A lone surrogate, in the three-byte form that the input accepts.
    more_input "'\355\240\200'"
    run --json
    expect_out lines \
        '{"state":"Numeric","code":1,"result":"3"}' \
        '{"state":"Error","code":3,"result":"1003 ERROR: Operand expected."}' \
        '{"state":"String","code":2,"result":"a b"}' \
        '{"state":"String","code":2,"result":"'"'"'("}' \
        '{"state":"Error","code":3,"result":"1012 ERROR: Undefined symbol in expression: '"'y'"'"}' \
        '{"state":"String","code":2,"result":"it'"'"'s"}' \
        '{"state":"String","code":2,"result":"\"\\/\b\t\n\f\r"}' \
        '{"state":"String","code":2,"result":"\u0000\u0001\u001f'$'\x7f''"}' \
        '{"state":"String","code":2,"result":"é€😀"}' \
        '{"state":"String","code":2,"result":"\ud800"}'
    expect_status 1
    expect_no_err
}

# Expressions as arguments, in order, ahead of standard input, which is not
# read; arguments reach the evaluator as Unicode text.
case_arguments() {
    input '%s\n' "1/0"
    run --num x=21 --str 'u=é€😀' 'x * 2' "u + '!'" 'LEN(u)' 'UCASE(u)' '-2^2' \
        "'a' + CHR(10) + 'b'"
    expect_out lines 42 é€😀! 4 É€😀 4 a b
    expect_status 0
    expect_no_err
}

case_usage() {
    run --num x=1 --bogus 1+2
    expect_usage_error "'--bogus'"
}

case_version() {
    run --version
    expect_out lines "talmiron ${TALMIRON_VERSION:?}"
    expect_status 0
    expect_no_err
}

# The cases below run in the native build only: they check the command's own
# logic, which is the same on every platform.

case_help() {
    run --help
    expect_status 0
    expect_no_err
    head -n 1 "$work/out" | grep -qxF 'Usage: talmiron [OPTIONS] [EXPRESSION...]' ||
        fail "help does not start with the usage line"
    for option in --num --str --json --functions --csv --expr --as --help --version; do
        grep -qF -- "  $option" "$work/out" || fail "help does not describe $option"
    done
}

case_stdin_succeeds() {
    input "1\n'a'\n"
    run
    expect_out lines 1 a
    expect_status 0
    input ""
    run --json
    expect_out true
    expect_status 0
    expect_no_err
}

case_usage_errors() {
    run --num x 1
    expect_usage_error "no '=' in 'x'"
    # Names match without regard to case.
    run --num x=1 --str X=2 x
    expect_usage_error "'X'"
    grep -qF 457 "$work/err" || fail "the failure number is missing: $(visible "$work/err")"
}

case_output_failure() {
    "$program" 1 >/dev/full 2>"$work/err"
    status=$?
    expect_status 1
    grep -qF "cannot write" "$work/err" || fail "no message about the output: $(visible "$work/err")"
}

# Results come out line by line while the input is still open, so a program
# can talk to the command through pipes. A silent command would hang here,
# hence the (generous) limit on each read.
case_interactive() {
    : >"$work/out"
    coproc talmiron { "$program" --num x=2; }
    local expression reply
    for expression in '1 + 1' 'x * 3' "'z'"; do
        echo "$expression" >&"${talmiron[1]}"
        if ! IFS= read -r -t 60 reply <&"${talmiron[0]}"; then
            fail "no result for $expression while the input stays open"
            break
        fi
        echo "$expression -> $reply" >>"$work/out"
    done
    local to_command=${talmiron[1]}
    exec {to_command}>&-
    # shellcheck disable=SC2154 # set by coproc
    wait "$talmiron_PID"
    status=$?
    expect_out lines "1 + 1 -> 2" "x * 3 -> 6" "'z' -> z"
    expect_status 0
}

# --functions lists the function table: one line a row, or one JSON object.
case_functions() {
    run --functions
    expect_status 0
    expect_no_err
    [ "$(wc -l <"$work/out")" -eq 49 ] || fail "$(wc -l <"$work/out") functions listed, not 49"
    grep -qxF 'InStr(Numeric, String, String) -> Numeric' "$work/out" || fail "no InStr line"
    grep -qxF 'Pi() -> Numeric' "$work/out" || fail "no Pi line"
    run --functions --json
    python3 -c 'import json, sys; rows = [json.loads(l) for l in open(sys.argv[1])]
assert len(rows) == 49 and rows[31] == {"name": "Mid", "arguments": ["String", "Numeric", "Numeric"], "result": "String"}, rows[31]' \
        "$work/out" || fail "--functions --json is not the table as JSON lines"
}

# A CSV file through a formula: quoted fields with commas, quotes and line
# breaks, CRLF and LF, a byte-order mark, an empty line, number and string
# columns, a column that is no symbol name, and an error cell.
case_csv() {
    input '\357\273\277n,s,unit price\r\n'
    more_input '2,"a,""b""\r\nc",x\r\n'
    more_input '\n 3 ,q,y\n'
    more_input '4,,\n'
    more_input -- '-,z,'
    run --csv - --expr "s + '|' + STR(12/n)" --as 'the, result'
    expected() {
        printf '\357\273\277n,s,unit price,"the, result"\r\n'
        printf '2,"a,""b""\r\nc",x,"a,""b""\r\nc|6"\r\n'
        printf ' 3 ,q,y,q|4\n'
        printf '4,,,|3\n'
        # A lone sign is a String column, whose value reads as 0.
        printf -- '-,z,,1005 ERROR: Division by zero.'
    }
    expect_out expected
    expect_status 1
    grep -qF 'column 3 ("unit price") is not a symbol name' "$work/err" ||
        fail "the column name is not reported: $(visible "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "more than one message: $(visible "$work/err")"
}

# Input that is not usable CSV: the rows before it go out whole, the message
# names the line, and the status is 2.
case_csv_bad() {
    local bad
    for bad in 'line 3: a row of 1 field where the header has 2|3\n' \
        'line 3: unclosed quote|3,"4\n\n' \
        'line 4: invalid UTF-8|3,"\n\377"\n' \
        'line 3: a quote inside an unquoted field|3,4"\n' \
        'line 3: text after the closing quote|"3"4,5\n'; do
        input "a,b\n1,2\n${bad#*|}"
        run --csv - --expr 'a'
        expect_status 2
        expect_out printf 'a,b,result\n1,2,1\n'
        grep -qF "standard input, ${bad%%|*}" "$work/err" ||
            fail "no '${bad%%|*}' message: $(visible "$work/err")"
    done
    run --csv "$work/missing.csv" --expr 1
    expect_status 2
    grep -qF "cannot open" "$work/err" || fail "no message for a missing file"
}

# The peak memory of a CSV run does not grow with the number of rows.
case_csv_memory() {
    python3 - "$program" <<'PYTHON' || fail "memory grows with the rows"
import subprocess, sys
# The peak resident size of the command, read while it still waits for the
# end of its input, when all but the last rows have gone through.
def peak_kib(rows):
    child = subprocess.Popen([sys.argv[1], "--csv", "-", "--expr", "qty * price + LEN(name)"],
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
    child.stdin.write(b"id,name,qty,price,day,note\n")
    chunk = "".join(f'{i},item{i % 97},{i % 13},{i / 4},2021-03-{1 + i % 28:02d},"a, b"\n'
                    for i in range(10000)).encode()
    for _ in range(rows // 10000):
        child.stdin.write(chunk)
    child.stdin.flush()
    with open(f"/proc/{child.pid}/status") as status:
        peak = next(int(line.split()[1]) for line in status if line.startswith("VmHWM:"))
    child.stdin.close()
    assert child.wait() == 0
    return peak
small = peak_kib(10**5)
large = peak_kib(10**6)
print(f"peak resident size: {small} KiB for 10^5 rows, {large} KiB for 10^6 rows")
sys.exit(0 if large <= small + 1024 else 1)
PYTHON
}

if ! declare -F "case_$case_name" >/dev/null; then
    echo "unknown case $case_name" >&2
    exit 2
fi
"case_$case_name"
exit $failed
