#!/bin/sh
# The main job: builds the Linux modules and the reference host, then shows what the
# modules do with the sample file of every language.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $NATIVE_PACKAGES

cmake --preset native >/dev/null
cmake --build --preset native

varnel=build/native/varnel
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo
echo "== varnel languages"
$varnel languages

for sample in tests/data/samples/*; do
    echo
    echo "== varnel highlight --ansi $sample"
    $varnel highlight --ansi "$sample"
    if $varnel functions "$sample" >"$work/functions" 2>/dev/null; then
        echo "== varnel functions $sample"
        cat "$work/functions"
    fi
    # The pair of brackets around the middle of the file.
    middle=$(($(wc -c <"$sample") / 2))
    if $varnel balance "$sample" $middle $middle >"$work/balance" 2>/dev/null; then
        echo "== varnel balance $sample $middle $middle selects $(cat "$work/balance")"
    fi
done

for sample in tests/data/samples/*; do
    if $varnel comment "$sample" 1 2 --stdout >"$work/commented" 2>"$work/error"; then
        echo
        echo "== varnel comment $sample 1 2 --stdout (first lines)"
        head -n 3 "$work/commented"
        cp "$work/commented" "$work/$(basename "$sample")"
        echo "== varnel uncomment of that gives back the file:"
        $varnel uncomment "$work/$(basename "$sample")" 1 2
        if cmp -s "$work/$(basename "$sample")" "$sample"; then echo "   same bytes"; else echo "   DIFFERENT"; fi
    else
        echo
        echo "== $(cat "$work/error")"
    fi
done
