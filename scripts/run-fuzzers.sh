#!/usr/bin/env bash
# Runs every libFuzzer target built in BUILD_DIR for SECONDS each, on a fresh corpus seeded from
# tests/fuzz/corpus/<fuzzer name>/ when that folder exists. Prints one line per fuzzer and exits
# non-zero when any of them reports a crash, a leak, a timeout (an input running over 10 s), an
# out-of-memory or a sanitizer error. FUZZ_JOBS fuzzers run at once (default: the core count).
set -euo pipefail

if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$1
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

# The fuzzers are those whose source is in tests/fuzz (an executable left in the build folder by
# a fuzzer since removed is not run).
fuzzers=()
for source in "$source_dir"/tests/fuzz/*_fuzzer.cpp; do
  [ -e "$source" ] && fuzzers+=("$build/tests/fuzz/$(basename "$source" .cpp)")
done
if [ "${#fuzzers[@]}" -eq 0 ]; then
  echo "no fuzzers in tests/fuzz"
  exit 0
fi

work="$build/fuzz-run"
rm -rf "$work"
mkdir -p "$work"
parallel=${FUZZ_JOBS:-$(nproc)}

# Undefined behaviour stops the run; leaks are reported at exit of each input's process.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

# What went wrong in a fuzzer's log, or nothing when it ran clean.
failure_in() {
  local log=$1
  if grep -q 'ERROR: libFuzzer: timeout' "$log"; then echo "timeout"
  elif grep -q 'ERROR: LeakSanitizer' "$log"; then echo "leak"
  elif grep -q 'ERROR: libFuzzer: out-of-memory' "$log"; then echo "out of memory"
  elif grep -q 'ERROR: AddressSanitizer' "$log"; then echo "address sanitizer error"
  elif grep -q 'runtime error:' "$log"; then echo "undefined behaviour"
  elif grep -q 'ERROR: libFuzzer' "$log"; then echo "crash"
  fi
}

run_one() {
  local fuzzer=$1 name corpus artifacts log status=0 problem runs
  name=$(basename "$fuzzer")
  if [ ! -x "$fuzzer" ]; then
    echo "FAIL $name: not built in $build/tests/fuzz" >"$work/$name.result"
    return
  fi
  corpus="$work/corpus/$name"
  artifacts="$work/artifacts/$name"
  log="$work/$name.log"
  mkdir -p "$corpus" "$artifacts"
  if [ -d "$source_dir/tests/fuzz/corpus/$name" ]; then
    cp -R "$source_dir/tests/fuzz/corpus/$name/." "$corpus/"
  fi
  # The outer limit only guards against a fuzzer that libFuzzer itself cannot stop.
  timeout --kill-after=10 $((seconds + 120)) "$fuzzer" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" \
    >"$log" 2>&1 || status=$?
  problem=$(failure_in "$log")
  if [ -z "$problem" ] && [ "$status" -eq 124 ]; then problem="hang (killed)"; fi
  if [ -z "$problem" ] && [ "$status" -ne 0 ]; then problem="exit status $status"; fi
  if [ -n "$problem" ]; then
    echo "FAIL $name: $problem (log $log, inputs in $artifacts/)" >"$work/$name.result"
  else
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "PASS $name: ${runs:-?} runs in ${seconds} s, corpus of $(find "$corpus" -type f | wc -l)" \
      "inputs" >"$work/$name.result"
  fi
}

echo "running ${#fuzzers[@]} fuzzer(s) for $seconds s each, $parallel at a time"
for fuzzer in "${fuzzers[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  run_one "$fuzzer" &
done
wait

failed=0
for fuzzer in "${fuzzers[@]}"; do
  result="$work/$(basename "$fuzzer").result"
  if [ -f "$result" ]; then cat "$result"; else echo "FAIL $(basename "$fuzzer"): no result"; fi
  grep -q '^PASS' "$result" 2>/dev/null || failed=1
done
exit "$failed"
