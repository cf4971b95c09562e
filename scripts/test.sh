#!/usr/bin/env bash
# Every test: the native debug build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets for a bounded time, and the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
step() { printf '\n=== %s ===\n' "$*"; }

step "debug build and tests"
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$jobs"
ctest --preset debug -j "$jobs"

step "AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

if [ -d tests/fuzz ]; then
  step "fuzz targets (bounded)"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$jobs"
  bash scripts/run-fuzzers.sh build/fuzz "${FUZZ_SECONDS:-30}"
fi

if [ -d tests/bench ]; then
  step "benchmarks"
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$jobs"
  bash scripts/run-benchmarks.sh build/release
fi

step "Windows component under Wine (32-bit and 64-bit)"
bash scripts/test-windows.sh
