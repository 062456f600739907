#!/bin/sh
# Build every target given on the command line
for target in "$@"; do
    if [ -f "$target.mk" ]; then
        make -f "$target.mk" 'all'
    else
        echo "no rules for $target"
    fi
done
