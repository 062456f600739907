#!/bin/sh
# Builds the libFuzzer targets (the "fuzz" preset: clang, ASan and UBSan) and runs each
# for SECONDS seconds (default 20) on a copy of its seed corpus in a temporary folder.
# Exits non-zero when a target finds a crash; its log and the input that caused it are
# kept, and their folder is printed.
#
#   scripts/fuzz.sh [SECONDS]
#
#   scripts/fuzz.sh SECONDS MODULE ENTRY
#
# The second form runs only fuzz_module_exports, pinned to one module's one export
# (for example: scripts/fuzz.sh 60 Amberlex StyleLine).
#
# Longer runs: scripts/fuzz.sh 600, or run one target by hand on a corpus folder of
# your own: build/fuzz/fuzz_module_exports -max_total_time=3600 my-corpus/
set -u

seconds=${1:-20}
case $seconds in
    '' | *[!0-9]* | 0)
        echo "usage: $0 [SECONDS [MODULE ENTRY]]   (a whole number of seconds per target, default 20)" >&2
        exit 2
        ;;
esac
targets="fuzz_module_exports fuzz_host_proxy fuzz_keyword_matcher fuzz_pattern_differential fuzz_bracket_balancer fuzz_tool_extensions fuzz_editor_edits fuzz_find_replace fuzz_line_reader"
if [ $# -ge 2 ]; then
    if [ $# -ne 3 ]; then
        echo "usage: $0 SECONDS MODULE ENTRY" >&2
        exit 2
    fi
    VARNEL_FUZZ_MODULE=$2
    VARNEL_FUZZ_ENTRY=$3
    export VARNEL_FUZZ_MODULE VARNEL_FUZZ_ENTRY
    targets=fuzz_module_exports
    echo "fuzz_module_exports pinned to $2 $3"
fi

root=$(cd "$(dirname "$0")/.." && pwd)

for tool in clang clang++ cmake ninja; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "fuzz.sh: '$tool' was not found; the fuzz build needs clang, clang++, cmake and ninja" >&2
        echo "fuzz.sh: on Debian: apt-get install clang libclang-rt-dev cmake ninja-build" >&2
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/varnel-fuzz.XXXXXX") || exit 1

# libFuzzer comes with clang's runtime libraries, packaged apart from the compiler.
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$work/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$work/probe.cpp" -o "$work/probe" >"$work/probe.log" 2>&1; then
    cat "$work/probe.log" >&2
    echo "fuzz.sh: clang++ cannot link a libFuzzer program; install clang's runtime libraries" >&2
    echo "fuzz.sh: (on Debian: apt-get install libclang-rt-dev, or libclang-rt-NN-dev for clang NN)" >&2
    rm -rf "$work"
    exit 1
fi

cd "$root" || exit 1
if ! cmake --preset fuzz || ! cmake --build --preset fuzz; then
    echo "fuzz.sh: the fuzz build failed" >&2
    rm -rf "$work"
    exit 1
fi

passed=0
failed=0
for target in $targets; do
    program="$root/build/fuzz/$target"
    corpus="$work/$target/corpus"
    artifacts="$work/$target/artifacts"
    log="$work/$target/log"
    mkdir -p "$corpus" "$artifacts"
    if [ -d "$root/fuzz/corpus/$target" ]; then
        cp "$root/fuzz/corpus/$target"/* "$corpus"/ 2>/dev/null
    fi
    echo "== $target: $seconds s"
    # -timeout: a single input taking this long is a hang, reported like a crash.
    "$program" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    units=$(ls "$corpus" | wc -l)
    if [ "$status" -eq 0 ]; then
        echo "$target: ok, ${runs:-?} executions, corpus of $units inputs"
        passed=$((passed + 1))
    else
        echo "$target: FAILED (exit $status) after ${runs:-?} executions" >&2
        grep -E '^(==[0-9]+==|SUMMARY|.*property failed|    #[0-9]+ )' "$log" | head -n 40 >&2
        echo "$target: full log $log; failing inputs in $artifacts/:" >&2
        ls "$artifacts" >&2
        failed=$((failed + 1))
    fi
done

if [ "$failed" -eq 0 ]; then
    rm -rf "$work"
else
    echo "fuzz.sh: logs and failing inputs kept in $work" >&2
fi
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
