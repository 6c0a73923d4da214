#!/usr/bin/env bash
# The main job. Until the command-line evaluator exists: build the native
# preset and run its smoke tests.
set -uo pipefail
cd "$(dirname "$0")"

tools/install-packages.sh native || exit 1
cmake --preset native >/dev/null && cmake --build --preset native &&
    ctest --preset native -L smoke
