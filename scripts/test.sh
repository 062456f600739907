#!/bin/sh
# Builds and runs every test: native, with sanitizers, the Windows builds (64-bit under
# Wine, 32-bit under 32-bit Wine and checked statically) and a short fuzz run.
# FUZZ_SECONDS sets the fuzz time per target (default 10; 0 skips fuzzing).
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $NATIVE_PACKAGES $WINDOWS_PACKAGES $FUZZ_PACKAGES
# 32-bit Wine comes from the i386 architecture; a machine that cannot have it keeps the
# static checks of the 32-bit programs.
wine32=OFF
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
if dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386; then
    # shellcheck disable=SC2086
    scripts/ensure-packages.sh $WINE32_PACKAGES && [ -x /usr/lib/wine/wine ] && wine32=ON
fi

step() { printf '\n=== %s\n' "$*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native-asan

step "64-bit Windows build, tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64
WINEPREFIX=$(mktemp -d /tmp/varnel-wine.XXXXXX)
export WINEPREFIX
WINE64_PREFIX=$WINEPREFIX
WINE32_PREFIX=
cleanup() {
    for prefix in "$WINE64_PREFIX" "$WINE32_PREFIX"; do
        [ -n "$prefix" ] || continue
        WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
        rm -rf "$prefix"
    done
}
trap cleanup EXIT
# One server for the whole run: a server that quits between two programs now and then
# drops the next program's connection ("recvmsg: Connection reset by peer").
/usr/lib/wine/wineserver -p || echo "note: no lasting Wine server; programs start their own"
scripts/wine-run.sh cmd /c exit >/dev/null 2>&1 || true   # creates the prefix once
ctest --preset win64
tests/windows/compare_hosts.sh "$PWD/build/native" "$PWD/build/win64" tests/data/samples

step "32-bit Windows build, tests under 32-bit Wine"
if [ "$wine32" = ON ]; then
    WINEPREFIX=$(mktemp -d /tmp/varnel-wine32.XXXXXX)
    WINE32_PREFIX=$WINEPREFIX
    export WINEPREFIX
    # One lasting server for the 32-bit prefix too, started before the prefix is made
    # (the 32-bit one: a 64-bit server would make the prefix a 64-bit installation).
    /usr/lib/wine/wineserver32 -p || echo "note: no lasting Wine server; programs start their own"
    if ! scripts/wine32-run.sh wineboot -i >/dev/null 2>&1; then
        echo "note: 32-bit Wine cannot start a program here; the 32-bit programs are checked statically"
        wine32=OFF
    fi
else
    echo "note: no 32-bit Wine (wine32:i386) on this machine; the 32-bit programs are checked statically"
fi
cmake --preset win32 -DVARNEL_RUN_32BIT_PROGRAMS=$wine32 >/dev/null
cmake --build --preset win32
ctest --preset win32

seconds=${FUZZ_SECONDS:-10}
if [ "$seconds" -gt 0 ]; then
    step "fuzzing, $seconds seconds per target"
    scripts/fuzz.sh "$seconds"
fi

step "all tests passed"
