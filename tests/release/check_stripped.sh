#!/bin/sh
# Every file given (programs and DLLs, or folders of DLLs) carries no symbol table and
# no debugging sections: what ships is stripped.
# usage: check_stripped.sh OBJDUMP FILE_OR_FOLDER...
set -u
objdump=$1
shift
failures=0
checked=0
check() {
    checked=$((checked + 1))
    sections=$("$objdump" -h "$1") || { echo "FAIL: $1: unreadable"; failures=$((failures + 1)); return; }
    debug=$(printf '%s\n' "$sections" | awk '$2 ~ /^\.debug/ {print $2}' | tr '\n' ' ')
    if [ -n "$debug" ]; then
        echo "FAIL: $1 has debugging sections: $debug"
        failures=$((failures + 1))
    fi
    if ! "$objdump" -t "$1" | grep -q '^no symbols'; then
        echo "FAIL: $1 has a symbol table"
        failures=$((failures + 1))
    fi
}
for item in "$@"; do
    if [ -d "$item" ]; then
        for file in "$item"/*.dll; do
            [ -e "$file" ] && check "$file"
        done
    else
        check "$item"
    fi
done
echo "$checked files checked, $failures faults"
[ "$checked" -gt 0 ] && [ "$failures" -eq 0 ]
