#!/usr/bin/env bash
# Installs what the builds and tests need, with apt-get, only what is missing.
#   install-packages.sh          everything, for the native and Windows builds and the
#                                benchmark's peer evaluators
#   install-packages.sh native   the native build only (what run.sh needs)
#   install-packages.sh bench    the native build and the peer evaluators (bench/run.sh)
set -euo pipefail

scope=${1:-all}
packages=(cmake g++ make libgtest-dev googletest libmpfr-dev libbenchmark-dev libedit-dev)
if [ "$scope" != native ]; then
    packages+=(libfparser-dev libmuparser-dev libmuparserx-dev)
fi
if [ "$scope" = all ]; then
    # pkg-config and dpkg-dev: the test of the installed library and its
    # Debian package.
    packages+=(
        pkg-config dpkg-dev
        g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
        wine wine32:i386 wine64 libwine-dev
    )
fi

installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

updated=no
apt_install() {
    if [ "$updated" = no ]; then
        as_root apt-get update -qq
        updated=yes
    fi
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "$@"
}

if [ "$scope" = all ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt_install "${missing[@]}"
fi

[ "$scope" = all ] || exit 0

# The fuzzing harness needs clang and its libFuzzer runtime; without them
# only the harness is skipped, so a failure here is not fatal.
fuzz_missing=()
for package in clang libclang-rt-dev; do
    installed "$package" || fuzz_missing+=("$package")
done
if [ ${#fuzz_missing[@]} -gt 0 ]; then
    echo "Installing: ${fuzz_missing[*]}"
    apt_install "${fuzz_missing[@]}" || echo "clang could not be installed: no fuzzing" >&2
fi

# Wine's 32-bit loader is a 32-bit Linux program. A kernel built without
# 32-bit support cannot start it; there it runs through qemu's i386 user
# emulation, registered as the handler of such programs.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    installed qemu-user-static || apt_install qemu-user-static
    binfmt=/proc/sys/fs/binfmt_misc
    if [ ! -e "$binfmt/register" ]; then
        as_root mount -t binfmt_misc binfmt_misc "$binfmt" || true
    fi
    if [ -e "$binfmt/register" ] && [ ! -e "$binfmt/qemu-i386" ]; then
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" |
            as_root tee "$binfmt/register" >/dev/null
    fi
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "32-bit Wine runs through qemu-i386 on this machine."
    else
        echo "32-bit Wine cannot run on this machine: the win32 tests will be skipped." >&2
    fi
fi
