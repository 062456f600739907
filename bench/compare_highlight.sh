#!/bin/sh
# End-to-end speed of `varnel highlight --ansi` beside the Debian package "highlight" on
# the same 4 MB Java file: the java.util sources of an installed JDK, concatenated.
# Run by hand after building the native preset; needs the packages highlight, hyperfine
# and unzip, and a JDK with lib/src.zip. Never part of the tests.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
varnel="$root/build/native/varnel"
src=$(ls /usr/lib/jvm/*/lib/src.zip 2>/dev/null | while read -r zip; do [ -e "$zip" ] && echo "$zip"; done | head -n 1)
[ -n "$src" ] || { echo "compare_highlight.sh: no JDK with lib/src.zip" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && unzip -q "$src" 'java.base/java/util/*')
find "$work/java.base/java/util" -name '*.java' | sort | xargs cat 2>/dev/null | head -c 4194304 >"$work/util.java" || true
echo "$(wc -c <"$work/util.java") bytes of Java from $src"
hyperfine -w 2 -r 10 --output=pipe "$varnel highlight $work/util.java --ansi" "highlight -O ansi $work/util.java"
