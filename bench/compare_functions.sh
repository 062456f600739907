#!/bin/sh
# End-to-end speed of `varnel functions` beside `ctags -f - --languages=Java` from the
# Debian package "universal-ctags" on the same 4 MiB of Java (the java.util sources of an
# installed JDK, concatenated), the pair in one hyperfine run.
# Run by hand after building the native preset; needs the packages universal-ctags,
# hyperfine and unzip, and a JDK with lib/src.zip. Never part of the tests.
# RUNS sets the runs per command (default 10).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/bench_inputs.sh"
runs=${RUNS:-10}
make_java_input
hyperfine -N -w 2 -r "$runs" --output=pipe "$varnel functions $work/util.java" "ctags -f - --languages=Java $work/util.java"
