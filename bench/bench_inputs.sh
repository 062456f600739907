# The inputs the comparison scripts share, made in a temporary folder ($work) that is
# removed when the script ends. Sourced by compare_highlight.sh and compare_functions.sh.
varnel="$root/build/native/varnel"
[ -x "$varnel" ] || { echo "$0: build the native preset first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
four_mib=4194304

# $work/util.java: the java.util sources of the first JDK with a readable lib/src.zip.
make_java_input() {
    src=$(ls /usr/lib/jvm/*/lib/src.zip 2>/dev/null | while read -r zip; do [ -e "$zip" ] && echo "$zip"; done | head -n 1)
    [ -n "$src" ] || { echo "$0: no JDK with lib/src.zip" >&2; exit 1; }
    (cd "$work" && unzip -q "$src" 'java.base/java/util/*')
    find "$work/java.base/java/util" -name '*.java' | sort | xargs cat 2>/dev/null | head -c "$four_mib" >"$work/util.java" || true
    echo "$(wc -c <"$work/util.java") bytes of Java from $src"
}

# $work/stdlib.py: the Python standard library's own .py files (no installed packages).
make_python_input() {
    stdlib=$(python3 -c 'import sysconfig; print(sysconfig.get_paths()["stdlib"])')
    find "$stdlib" -name '*.py' -not -path '*/site-packages/*' -not -path '*/dist-packages/*' | sort |
        xargs cat 2>/dev/null | head -c "$four_mib" >"$work/stdlib.py" || true
    echo "$(wc -c <"$work/stdlib.py") bytes of Python from $stdlib"
}
