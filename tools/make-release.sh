#!/bin/sh
# Makes the Windows release archive from the win32 and win64 builds (built
# here first, so a clean checkout will do): stripped binaries with their
# version resources, the manifests, the registration scripts, the guides,
# a README and SHA256SUMS; the debug information goes into a second archive.
#   tools/make-release.sh [--no-build] [OUTPUT_FOLDER]
# Writes OUTPUT_FOLDER (default build/release)/TALMIRON-VERSION-windows.zip
# and TALMIRON-VERSION-windows-debug.zip.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=yes
if [ "${1:-}" = --no-build ]; then
    build=no
    shift
fi
out=$(mkdir -p "${1:-$root/build/release}" && cd "${1:-$root/build/release}" && pwd)

if [ "$build" = yes ]; then
    for preset in win32 win64; do
        (cd "$root" && cmake --preset "$preset" >/dev/null &&
            cmake --build --preset "$preset" --target TALMIRON talmiron)
    done
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/win64/CMakeCache.txt")
[ -n "$version" ] || { echo "make-release: no version in build/win64" >&2; exit 1; }
assembly_version=$version.0
name=TALMIRON-$version-windows
stage=$out/$name
debug=$out/$name-debug
rm -rf "$stage" "$debug" "$out/$name.zip" "$out/$name-debug.zip"
mkdir -p "$stage/docs" "$debug"

for pair in x86:win32:i686 x64:win64:x86_64; do
    folder=${pair%%:*}
    rest=${pair#*:}
    preset=${rest%%:*}
    triple=${rest#*:}-w64-mingw32
    mkdir -p "$stage/$folder" "$debug/$folder"
    for binary in component/com/TALMIRON.dll cli/talmiron.exe; do
        file=$(basename "$binary")
        "$triple-objcopy" --only-keep-debug "$root/build/$preset/$binary" "$debug/$folder/$file.debug"
        "$triple-strip" --strip-all -o "$stage/$folder/$file" "$root/build/$preset/$binary"
        # The link names the debug file, which a debugger finds beside the binary.
        (cd "$debug/$folder" && "$triple-objcopy" --add-gnu-debuglink="$file.debug" \
            "$stage/$folder/$file")
    done
    cp "$root/build/$preset/component/com/TALMIRON.X.manifest" "$stage/$folder/"
done

cp "$root/tools/release/register.cmd" "$root/tools/release/unregister.cmd" \
    "$root/tools/release/tools.cmd" "$stage/"
sed "s/@VERSION@/$version/g; s/@ASSEMBLY_VERSION@/$assembly_version/g" \
    "$root/tools/release/README.txt" >"$stage/README.txt"
for document in language.md component.md; do
    [ -f "$root/docs/$document" ] && cp "$root/docs/$document" "$stage/docs/"
done
# Windows line ends for the files that people open in Notepad or run in cmd.
for text in README.txt register.cmd unregister.cmd tools.cmd; do
    sed -i 's/\r\{0,1\}$/\r/' "$stage/$text"
done

(cd "$stage" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS)
(cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name" &&
    cmake -E tar cf "$name-debug.zip" --format=zip "$name-debug")
rm -rf "$stage" "$debug"
echo "$out/$name.zip"
echo "$out/$name-debug.zip"
