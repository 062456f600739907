#!/bin/sh
# Runs a 32-bit Windows program under 32-bit Wine (Debian's wine32 from the i386
# architecture), in a 32-bit prefix: WINEPREFIX when set, else one private prefix per
# user under /tmp. The first start of a prefix takes several seconds.
: "${WINEPREFIX:=/tmp/varnel-wine32-$(id -u)}"
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine "$@"
