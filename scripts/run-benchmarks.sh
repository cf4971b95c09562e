#!/usr/bin/env bash
# Runs every Google Benchmark executable built in BUILD_DIR briefly and prints what it measured.
# Times are reported, never judged: only a benchmark that crashes or fails makes this exit non-zero.
# BENCH_MIN_TIME sets the minimum time per benchmark in seconds (default 0.05).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$1

source_dir=$(cd "$(dirname "$0")/.." && pwd)

# The benchmarks are those whose source is in tests/bench (an executable left in the build folder
# by a benchmark since removed is not run).
benchmarks=()
for source in "$source_dir"/tests/bench/*_benchmark.cpp; do
  [ -e "$source" ] && benchmarks+=("$build/tests/bench/$(basename "$source" .cpp)")
done
if [ "${#benchmarks[@]}" -eq 0 ]; then
  echo "no benchmarks in tests/bench"
  exit 0
fi

failed=0
for benchmark in "${benchmarks[@]}"; do
  printf '\n--- %s ---\n' "$(basename "$benchmark")"
  status=0
  if [ -x "$benchmark" ]; then
    "$benchmark" --benchmark_min_time="${BENCH_MIN_TIME:-0.05}" 2>&1 || status=$?
  else
    echo "not built in $build/tests/bench"
    status=127
  fi
  if [ "$status" -ne 0 ]; then
    echo "FAIL $(basename "$benchmark"): exit status $status"
    failed=1
  fi
done
exit "$failed"
