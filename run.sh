#!/usr/bin/env bash
# The main job: evaluates each argument with the talmiron command, or each
# line of standard input when there is no argument, e.g.
#   ./run.sh "LEN('ab') * (1 + 2)"
# Installs the native build's packages and configures and builds the native
# preset first where needed. What those say goes to standard error or to
# build/run.log, so that standard output holds the results alone.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)

build() {
    cd "$root" || return 1
    if [ ! -f build/native/Makefile ]; then
        cmake --preset native || return 1
    fi
    cmake --build --preset native --target talmiron
}

# Exit status 3: the command's own statuses are 0 to 2.
"$root/tools/install-packages.sh" native >&2 || exit 3
mkdir -p "$root/build"
if ! (build) >"$root/build/run.log" 2>&1; then
    echo "run.sh: building the native preset failed; see build/run.log" >&2
    exit 3
fi
exec "$root/build/native/cli/talmiron" "$@"
