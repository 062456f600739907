#!/bin/sh
# Runs one end-to-end scenario of the setup programs in a Wine prefix of its own, on a
# virtual X display: run_scenario.sh WINE-RUNNER DRIVER.exe TEST-NAME (the runner is
# scripts/wine-run.sh, or scripts/wine32-run.sh for the 32-bit programs)
# SETUP_SCREENSHOT_PNG, when set, names a PNG file for the install dialog's picture
# (the installed editor's goes beside it, ending in -editor.png).
set -eu
run=$1
driver=$2
test=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

WINEPREFIX=$(mktemp -d /tmp/varnel-setup-wine.XXXXXX)
export WINEPREFIX
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT INT TERM

"$run" wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w 2>/dev/null || true

case $test in
*OkRemovesOnlyTheProduct*)
    # A folder outside the product, linked from inside the install folder: the
    # uninstaller must remove the link and leave the folder alone.
    outside="$WINEPREFIX/drive_c/Outside"
    mkdir -p "$outside" "$WINEPREFIX/drive_c/Program Files/Varnel/Extensions"
    echo "not the product's" > "$outside/keep.txt"
    ln -s "$outside" "$WINEPREFIX/drive_c/Program Files/Varnel/Extensions/Linked"
    ;;
*ProductFoldersThatAreLinks*)
    # Two product folders are links to folders outside the product, one of them empty.
    mkdir -p "$WINEPREFIX/drive_c/Outside" "$WINEPREFIX/drive_c/EmptyOutside" "$WINEPREFIX/drive_c/Program Files/Varnel"
    echo "not the product's" > "$WINEPREFIX/drive_c/Outside/keep.txt"
    ln -s "$WINEPREFIX/drive_c/Outside" "$WINEPREFIX/drive_c/Program Files/Varnel/Templates"
    ln -s "$WINEPREFIX/drive_c/EmptyOutside" "$WINEPREFIX/drive_c/Program Files/Varnel/Extensions"
    ;;
*InstallFolderThatIsALink*)
    mkdir -p "$WINEPREFIX/drive_c/Linked Home" "$WINEPREFIX/drive_c/Program Files"
    ln -s "$WINEPREFIX/drive_c/Linked Home" "$WINEPREFIX/drive_c/Program Files/Varnel"
    ;;
esac

if [ -n "${SETUP_SCREENSHOT_PNG:-}" ]; then
    SETUP_SCREENSHOT=$(printf 'Z:%s.bmp' "$SETUP_SCREENSHOT_PNG" | tr / '\\')
    export SETUP_SCREENSHOT
fi

status=0
xvfb-run -a -s "-screen 0 1024x768x24" "$run" "$driver" --gtest_filter="$test" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true

if [ -n "${SETUP_SCREENSHOT_PNG:-}" ]; then
    # The install dialog, and the installed editor showing a coloured file.
    for picture in "$SETUP_SCREENSHOT_PNG.bmp:$SETUP_SCREENSHOT_PNG" \
                   "$SETUP_SCREENSHOT_PNG.bmp.editor.bmp:${SETUP_SCREENSHOT_PNG%.png}-editor.png"; do
        bmp=${picture%%:*}
        [ -f "$bmp" ] && python3 "$here/bmp_to_png.py" "$bmp" "${picture#*:}" && rm -f "$bmp"
    done
fi
exit $status
