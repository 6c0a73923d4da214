#!/bin/sh
# Makes the Windows release archive from the existing win32 and win64
# builds, unpacks it and checks its listing, its checksums, its README, the
# version resources of its binaries and that they are stripped, with their
# debug information in the second archive.
#   release_test.sh SOURCE_DIR
set -u
root=$1
for binary in win32/component/com/TALMIRON.dll win32/cli/talmiron.exe \
    win64/component/com/TALMIRON.dll win64/cli/talmiron.exe; do
    [ -f "$root/build/$binary" ] || { echo "release_test: no build/$binary; skipping"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sh "$root/tools/make-release.sh" --no-build "$work/out" || exit 1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/win64/CMakeCache.txt")
name=TALMIRON-$version-windows
failures=0
fail() {
    echo "FAIL - $1"
    failures=$((failures + 1))
}
mkdir "$work/debug"
cd "$work/debug" && cmake -E tar xf "$work/out/$name-debug.zip" || fail "$name-debug.zip does not unpack"
cd "$work" && cmake -E tar xf "$work/out/$name.zip" && cd "$name" || fail "$name.zip does not unpack"

listing=$(find . -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$listing" = "./README.txt ./SHA256SUMS ./docs/component.md ./docs/language.md ./register.cmd \
./tools.cmd ./unregister.cmd ./x64/TALMIRON.X.manifest ./x64/TALMIRON.dll ./x64/talmiron.exe \
./x86/TALMIRON.X.manifest ./x86/TALMIRON.dll ./x86/talmiron.exe " ] || fail "the archive holds: $listing"
sha256sum --quiet -c SHA256SUMS || fail "a checksum differs"
# Read in Notepad: Windows line ends, and the versions filled in, the
# assembly's as its manifest states it.
assembly=$(sed -n 's/.*name="TALMIRON.X" version="\([0-9.]*\)".*/\1/p' x86/TALMIRON.X.manifest)
[ "$(head -n 1 README.txt)" = "TALMIRON $version for Windows$(printf '\r')" ] &&
    grep -q " $assembly, in" README.txt && ! grep -q @ README.txt ||
    fail "README.txt is not filled in for $version and assembly $assembly with CRLF line ends"
grep -q 'processorArchitecture="x86"' x86/TALMIRON.X.manifest &&
    grep -q 'processorArchitecture="amd64"' x64/TALMIRON.X.manifest ||
    fail "a manifest names the wrong processor architecture"

# The x86-64 objdump reads both kinds of binary.
for binary in x86/TALMIRON.dll x86/talmiron.exe x64/TALMIRON.dll x64/talmiron.exe; do
    strings -el "$binary" | grep -Fqx "${binary#*/}" &&
        strings -el "$binary" | grep -Fqx "Korvane Expression v$version" ||
        fail "$binary: no version resource with its name and version"
    x86_64-w64-mingw32-objdump -h "$binary" | grep -q '\.gnu_debuglink' ||
        fail "$binary: no link to its debug information"
    ! x86_64-w64-mingw32-objdump -t "$binary" | grep -q '\[ *[0-9]*\](sec' ||
        fail "$binary: not stripped"
    [ -s "$work/debug/$name-debug/$binary.debug" ] || fail "$binary: no debug information"
done

echo "release archive: $failures failed"
[ "$failures" -eq 0 ]
