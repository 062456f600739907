#!/bin/sh
# A file is no larger than a limit in bytes.
# usage: check_size.sh FILE LIMIT
set -u
size=$(wc -c <"$1") || exit 1
echo "$1: $size bytes, at most $2"
[ "$size" -le "$2" ]
