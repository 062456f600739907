#!/bin/sh
# Writes the golden twins of every sample anew from what the native build does now:
# tests/data/golden/<sample>.styled, .ansi, .html and .runs (from "varnel highlight"
# with that option) and, where the language lists functions, <sample>.functions.
# Review the difference (git diff) before committing it. The user's keyword files are
# those of tests/data/settings, whatever $VARNEL_SETTINGS says.
set -eu
cd "$(dirname "$0")/.."
varnel=build/native/varnel
[ -x "$varnel" ] || { echo "update-golden.sh: build the native preset first" >&2; exit 1; }
mkdir -p tests/data/golden
for sample in tests/data/samples/*; do
    name=$(basename "$sample")
    for format in styled ansi html runs; do
        "$varnel" --settings tests/data/settings highlight --$format "$sample" >"tests/data/golden/$name.$format"
    done
    if "$varnel" --settings tests/data/settings functions "$sample" >"tests/data/golden/$name.functions" 2>/dev/null; then
        :
    else
        rm -f "tests/data/golden/$name.functions"
    fi
done
echo "golden twins written to tests/data/golden/"
