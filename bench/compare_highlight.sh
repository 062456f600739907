#!/bin/sh
# End-to-end speed of `varnel highlight --ansi` beside the Debian package "highlight"
# (`highlight -O ansi`) on the same inputs, each pair in one hyperfine run:
#   - 4 MiB of Java: the java.util sources of an installed JDK, concatenated;
#   - 4 MiB of Python: the standard library's .py files, concatenated.
# Run by hand after building the native preset; needs the packages highlight, hyperfine,
# unzip and python3, and a JDK with lib/src.zip. Never part of the tests.
# RUNS sets the runs per command (default 10).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/bench_inputs.sh"
runs=${RUNS:-10}
make_java_input
make_python_input
hyperfine -N -w 2 -r "$runs" --output=pipe "$varnel highlight $work/util.java --ansi" "highlight -O ansi $work/util.java"
hyperfine -N -w 2 -r "$runs" --output=pipe "$varnel highlight $work/stdlib.py --ansi" "highlight -O ansi $work/stdlib.py"
