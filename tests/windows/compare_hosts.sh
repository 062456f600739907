#!/bin/sh
# The Windows host with the Windows modules under Wine must answer exactly as the
# Linux host with the Linux modules, for every sample file and command.
# usage: compare_hosts.sh NATIVE_BUILD_FOLDER WIN64_BUILD_FOLDER SAMPLES_FOLDER
set -eu
native=$1/varnel
windows=$2/varnel.exe
samples=$3
here=$(cd "$(dirname "$0")" && pwd)
wine="$here/../../scripts/wine-run.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
compared=0

compare() {
    "$native" "$@" >"$work/native.out" 2>"$work/native.err" && native_status=0 || native_status=$?
    "$wine" "$windows" "$@" >"$work/windows.out" 2>"$work/windows.err" && windows_status=0 || windows_status=$?
    compared=$((compared + 1))
    if [ "$native_status" != "$windows_status" ] || ! cmp -s "$work/native.out" "$work/windows.out"; then
        # Wine itself now and then fails to start a program on a busy machine: a
        # difference counts when a second run shows it too.
        echo "note: varnel $* differed under Wine (status $windows_status); running it again"
        sed 's/^/  wine stderr: /' "$work/windows.err" | head -n 5
        "$wine" "$windows" "$@" >"$work/windows.out" 2>"$work/windows.err" && windows_status=0 || windows_status=$?
    fi
    if [ "$native_status" != "$windows_status" ] || ! cmp -s "$work/native.out" "$work/windows.out"; then
        echo "DIFFERENT: varnel $* (status $native_status on Linux, $windows_status under Wine)"
        sed 's/^/  wine stderr: /' "$work/windows.err" | head -n 5
        diff "$work/native.out" "$work/windows.out" | head -n 20 || true
        failures=$((failures + 1))
    fi
}

# Run from the samples folder, so that both hosts see the same relative file names.
cd "$samples"
compare languages
for sample in *; do
    size=$(wc -c <"$sample")
    compare highlight "$sample" --runs
    compare highlight "$sample" --styled
    compare highlight "$sample" --html
    compare highlight "$sample" --ansi
    compare functions "$sample"
    compare functions "$sample" --no-includes --no-prototypes --no-types
    # A caret in the middle and one near the end, in file byte offsets.
    compare balance "$sample" $((size / 2)) $((size / 2))
    compare balance "$sample" $((size * 9 / 10)) $((size * 9 / 10))
    compare comment "$sample" 1 3 --stdout
    compare uncomment "$sample" 1 3 --stdout
    # An exact selection, and the user keyword files of the tests' settings folder.
    compare comment "$sample" --selection $((size / 3)) $((size / 3)) --stdout
    compare --settings ../settings highlight "$sample" --styled
    # Uncommenting what was commented walks whole characters on both sides.
    if "$native" comment "$sample" 1 3 --stdout >"$work/commented-$sample" 2>/dev/null; then
        compare uncomment "$work/commented-$sample" 1 3 --stdout
    fi
done

# The include updater on the sample site's page that holds no clock and no paths.
cd "$here/../data/site"
compare tool Dunetool pages/about.html --stdout

echo "$compared commands compared, $failures different"
[ "$failures" -eq 0 ]
