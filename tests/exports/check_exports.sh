#!/bin/sh
# Checks that every module exports exactly the names listed for it, undecorated.
# usage: check_exports.sh nm|objdump TOOL MODULE_FOLDER SUFFIX EXPECTED_FILE
set -eu
kind=$1 tool=$2 folder=$3 suffix=$4 expected=$5

exported_names() {
    case $kind in
        nm) "$tool" -D --defined-only --format=posix "$1" | awk '{print $1}' ;;
        objdump) "$tool" -p "$1" | awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
                                       on && /^[[:space:]]*$/ {on = 0}
                                       on {print $NF}' ;;
        *) echo "unknown tool kind $kind" >&2; exit 2 ;;
    esac
}

status=0
checked=0
while read -r module names; do
    case $module in ''|'#'*) continue ;; esac
    file=$folder/$module$suffix
    if [ ! -f "$file" ]; then
        echo "missing module $file"
        status=1
        continue
    fi
    want=$(printf '%s\n' $names | sort)
    got=$(exported_names "$file" | sort)
    if [ "$want" != "$got" ]; then
        echo "$module exports:"
        echo "$got" | sed 's/^/  /'
        echo "but should export:"
        echo "$want" | sed 's/^/  /'
        status=1
    fi
    checked=$((checked + 1))
done < "$expected"
[ "$checked" -gt 0 ] || { echo "no modules checked"; exit 1; }
[ "$status" -eq 0 ] && echo "$checked modules export exactly their names"
exit $status
