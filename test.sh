#!/usr/bin/env bash
# Every test: installs what is missing, then configures, builds and tests the
# native, sanitize, win32, win64 and tsan presets, and runs the fuzzing
# harness for 60 seconds. Exits non-zero if anything fails.
set -uo pipefail
cd "$(dirname "$0")"

tools/install-packages.sh || exit 1

presets=(native sanitize win32 win64 tsan)
failed=()
for preset in "${presets[@]}"; do
    echo "=== ${preset}"
    if cmake --preset "$preset" >/dev/null &&
        cmake --build --preset "$preset" &&
        ctest --preset "$preset"; then
        :
    else
        failed+=("$preset")
    fi
done

echo "=== fuzz"
fuzz/run.sh 60 || failed+=(fuzz)

echo "=== summary"
if [ ${#failed[@]} -gt 0 ]; then
    echo "failed presets: ${failed[*]}"
    exit 1
fi
echo "all presets passed: ${presets[*]}; fuzz passed or skipped"
