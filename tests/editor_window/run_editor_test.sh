#!/bin/sh
# Runs one test of the editor window in a Wine prefix of its own, on a virtual X
# display, with the editor staged in C:\Varnel as an installation lays it out:
# run_editor_test.sh WINE-RUNNER DRIVER.exe TEST-NAME BUILD-FOLDER SOURCE-FOLDER
# TEST-NAME "-" runs the driver as it is (a benchmark program).
# EDITOR_SCREENSHOT_PNG, when set, names a PNG file for the picture the screenshot
# test takes.
set -eu
run=$1
driver=$2
test=$3
build=$4
source=$5

WINEPREFIX=$(mktemp -d /tmp/varnel-editor-wine.XXXXXX)
export WINEPREFIX
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT INT TERM

"$run" wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w 2>/dev/null || true

stage="$WINEPREFIX/drive_c/Varnel"
mkdir -p "$stage/Languages" "$stage/Extensions" "$stage/Templates"
cp "$build/payload/Varnel.exe" "$stage/"
cp "$build"/Languages/*.dll "$stage/Languages/"
cp "$build"/Extensions/*.dll "$stage/Extensions/" 2>/dev/null || true
cp "$source"/setup/payload/Templates/* "$stage/Templates/"
cp "$source/setup/payload/Readme.txt" "$stage/"

if [ -n "${EDITOR_SCREENSHOT_PNG:-}" ]; then
    EDITOR_SCREENSHOT=$(printf 'Z:%s.bmp' "$EDITOR_SCREENSHOT_PNG" | tr / '\\')
    export EDITOR_SCREENSHOT
fi

status=0
if [ "$test" = - ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" "$run" "$driver" || status=$?
else
    xvfb-run -a -s "-screen 0 1024x768x24" "$run" "$driver" --gtest_filter="EditorWindow.$test" || status=$?
fi
/usr/lib/wine/wineserver -k 2>/dev/null || true

if [ -n "${EDITOR_SCREENSHOT_PNG:-}" ] && [ -f "$EDITOR_SCREENSHOT_PNG.bmp" ]; then
    python3 "$source/tests/setup/bmp_to_png.py" "$EDITOR_SCREENSHOT_PNG.bmp" "$EDITOR_SCREENSHOT_PNG"
    rm -f "$EDITOR_SCREENSHOT_PNG.bmp"
fi
exit $status
