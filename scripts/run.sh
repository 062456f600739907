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

# The XML sample with the user tag sets of the tests' settings folder: the text after a
# user tag takes its "user data" colour, across lines.
echo
echo "== varnel --settings tests/data/settings highlight --styled tests/data/samples/catalog.xml"
$varnel --settings tests/data/settings highlight --styled tests/data/samples/catalog.xml

# An exact selection commented out: markup gets "<!--" and "-->", PHP "#".
echo
echo "== varnel comment tests/data/samples/index.html --selection 444 35 --stdout (the lines it touches)"
$varnel comment tests/data/samples/index.html --selection 444 35 --stdout | sed -n 17,18p
echo "== varnel comment tests/data/samples/order.php 3 6 --stdout (first lines)"
$varnel comment tests/data/samples/order.php 3 6 --stdout | head -n 7

# The include updater on a copy of the sample site: every include block is refreshed
# from the file it names, in place.
site="$work/site"
cp -R tests/data/site "$site"
for page in index.html pages/about.html; do
    echo
    echo "== varnel tool Dunetool $page (in a copy of tests/data/site)"
    $varnel tool Dunetool "$site/$page"
    cat "$site/$page"
done
