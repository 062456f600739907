#!/bin/sh
# Runs a 64-bit Windows program under Wine, in the prefix named by WINEPREFIX
# (default: one private prefix per user under /tmp). The first start of a prefix
# takes several seconds.
: "${WINEPREFIX:=/tmp/varnel-wine-$(id -u)}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
