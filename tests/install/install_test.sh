#!/bin/sh
# Installs the build into a fresh prefix and builds the consumer against it,
# once through the CMake package and once through pkg-config, then runs both.
#   install_test.sh BUILD_DIR CXX
set -eu
build=$1
cxx=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
for file in bin/talmiron include/talmiron/component/expression.h \
    lib/cmake/TALMIRON/TALMIRONConfig.cmake lib/pkgconfig/talmiron.pc; do
    [ -e "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
echo "installed: $(find "$work/prefix" -type f | wc -l) files"

cmake -S "$here/consumer" -B "$work/cmake" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
echo "find_package: $("$work/cmake/consumer")"

# shellcheck disable=SC2046
"$cxx" -o "$work/consumer" "$here/consumer/consumer.cpp" \
    $(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config --cflags --libs talmiron)
echo "pkg-config: $("$work/consumer")"
