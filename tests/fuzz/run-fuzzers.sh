#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each one from its seed corpus.
#   tests/fuzz/run-fuzzers.sh                  20000 executions each (what CI runs)
#   tests/fuzz/run-fuzzers.sh --seconds 600    ten minutes each
#   tests/fuzz/run-fuzzers.sh --runs 1000000 --only chunk
# Options: --build DIR (default build/fuzz), --jobs N (default 2), --keep DIR (keep the grown
# corpora there instead of a temporary folder). Findings are written to <build>/findings as
# crash-*, leak-* or timeout-* files; the script exits non-zero when a target finds one.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/fuzz"
jobs=2
runs=20000
seconds=""
only=""
keep=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift ;;
    --jobs) jobs=$2; shift ;;
    --runs) runs=$2; shift ;;
    --seconds) seconds=$2; shift ;;
    --only) only=$2; shift ;;
    --keep) keep=$2; shift ;;
    *) echo "run-fuzzers.sh: unknown option '$1'" >&2; exit 2 ;;
  esac
  shift
done

targets=(preset_file preset_name clipboard chunk processor_message audio_file)
[ -n "$only" ] && targets=("$only")

if ! command -v clang++ >/dev/null 2>&1; then
  echo "run-fuzzers.sh: clang++ is needed for the fuzz targets (Debian package clang)" >&2
  exit 1
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQOR_BUILD_FUZZ=ON -DQOR_SANITIZE=ON -DQOR_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
limit=(-runs="$runs")
[ -n "$seconds" ] && limit=(-max_total_time="$seconds")
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
findings="$build/findings"
mkdir -p "$findings"
status=0
for t in "${targets[@]}"; do
  corpus="$work/$t"
  [ -n "$keep" ] && corpus="$keep/$t"
  mkdir -p "$corpus"
  echo "== fuzz_$t (${limit[*]})"
  if ! "$build/tests/fuzz/fuzz_$t" "${limit[@]}" -max_len=4096 -print_final_stats=1 -artifact_prefix="$findings/" \
      "$corpus" "$root/tests/fuzz/corpus/$t" 2>"$work/$t.log"; then
    tail -n 60 "$work/$t.log" >&2
    echo "fuzz_$t: finding written to $findings" >&2
    status=1
  else
    grep -E "^stat::number_of_executed_units|Done [0-9]+ runs" "$work/$t.log" || true
  fi
done
exit $status
