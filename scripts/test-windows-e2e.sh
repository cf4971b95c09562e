#!/usr/bin/env bash
# The component end to end on Windows, under Wine: the course's scenarios played through the
# registered k72645.dll and the simulated Word in a process of its own (its local server,
# registered as Word registers itself, one process per scenario; tests/windows/e2e). Wine's null
# display driver serves the windows, so no X display is needed. Prints, per group of scenarios,
# the calls Word received and the time per check, and the ratio of the component's time per Word
# call to a bare cross-process call (kept in build/<preset>/e2e-bench.txt).
# Usage: test-windows-e2e.sh [--arch win32|win64] [--no-build] [SCENARIO FILE OR FOLDER...]
# (default: both bitnesses, after building them, on the whole course).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine.sh

arches=(win32 win64)
build=1
while [ $# -gt 0 ]; do
  case $1 in
    --arch) arches=("$2"); shift 2 ;;
    --no-build) build=; shift ;;
    *) break ;;
  esac
done
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(course/scenarios)

preset_of() { if [ "$1" = win32 ]; then echo windows-i686; else echo windows-x86_64; fi; }

status=0
for arch in "${arches[@]}"; do
  preset=$(preset_of "$arch")
  if [ -n "$build" ]; then
    bash scripts/install-deps.sh windows
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
  fi
  if [ "$arch" = win32 ] && ! why=$(probe_32bit); then
    echo "not run for $arch: $why"
    status=1
    continue
  fi
  started=$SECONDS
  server="build/$preset/src/k72645_word_server.exe"
  in_wine "$arch" "e2e-server-$arch" 60 "$server" /RegServer || status=1
  in_wine "$arch" "e2e-$arch" 1200 "build/$preset/tests/windows/e2e/k72645_e2e_player.exe" \
    "build/$preset/src/k72645.dll" course --bench "build/$preset/e2e-bench.txt" \
    "${scenarios[@]}" || status=1
  in_wine "$arch" "e2e-server-$arch" 60 "$server" /UnregServer || status=1
  echo "End-to-end player ($preset) finished in $((SECONDS - started)) s; calls per group:"
  cat "build/$preset/e2e-bench.txt" 2>/dev/null || true
done
exit "$status"
