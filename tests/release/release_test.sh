#!/bin/sh
# Makes the Windows release archive from the existing win32 and win64
# builds, unpacks it and checks its listing, its checksums, the version
# resources of its binaries and that they are stripped, with their debug
# information in the second archive.
#   release_test.sh SOURCE_DIR
set -u
root=$1
for binary in component/com/TALMIRON.dll cli/talmiron.exe; do
    if [ ! -f "$root/build/win32/$binary" ] || [ ! -f "$root/build/win64/$binary" ]; then
        echo "release_test: $binary of the win32 or win64 build is missing; skipping"
        exit 77
    fi
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

mkdir "$work/unpacked" "$work/debug"
(cd "$work/unpacked" && cmake -E tar xf "$work/out/$name.zip") || fail "$name.zip does not unpack"
(cd "$work/debug" && cmake -E tar xf "$work/out/$name-debug.zip") ||
    fail "$name-debug.zip does not unpack"

expected="SHA256SUMS
README.txt
docs/component.md
docs/language.md
register.cmd
tools.cmd
unregister.cmd
x64/TALMIRON.X.manifest
x64/TALMIRON.dll
x64/talmiron.exe
x86/TALMIRON.X.manifest
x86/TALMIRON.dll
x86/talmiron.exe"
listing=$(cd "$work/unpacked/$name" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$listing" = "$(printf '%s\n' "$expected" | LC_ALL=C sort)" ] ||
    fail "the archive holds:
$listing"
(cd "$work/unpacked/$name" && sha256sum --quiet -c SHA256SUMS) || fail "a checksum differs"

for pair in x86:i686 x64:x86_64; do
    folder=${pair%%:*}
    objdump=${pair#*:}-w64-mingw32-objdump
    for file in TALMIRON.dll talmiron.exe; do
        binary=$work/unpacked/$name/$folder/$file
        strings=$(strings -el "$binary")
        for entry in "$file" "Korvane Expression v$version"; do
            printf '%s\n' "$strings" | grep -Fqx "$entry" ||
                fail "$folder/$file: no version entry \"$entry\""
        done
        sections=$("$objdump" -h "$binary")
        printf '%s\n' "$sections" | grep -q '\.gnu_debuglink' ||
            fail "$folder/$file: no link to its debug information"
        "$objdump" -t "$binary" | grep -q '\[ *[0-9]*\](sec' &&
            fail "$folder/$file: not stripped"
        [ -s "$work/debug/$name-debug/$folder/$file.debug" ] ||
            fail "$folder/$file: no debug information in the debug archive"
    done
    grep -q "processorArchitecture=\"$([ "$folder" = x86 ] && echo x86 || echo amd64)\"" \
        "$work/unpacked/$name/$folder/TALMIRON.X.manifest" ||
        fail "$folder/TALMIRON.X.manifest: wrong processor architecture"
done

echo "release archive: $failures failed"
[ "$failures" -eq 0 ]
