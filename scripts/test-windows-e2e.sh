#!/usr/bin/env bash
# The component end to end on Windows, under Wine, for each bitness: the course's scenarios
# played through the registered k72645.dll and the simulated Word hosted as a COM server with
# real windows (tests/windows/e2e). Wine's null display driver serves the windows, so no X
# display is needed. Prints, per group of scenarios, the calls the hosted Word received.
# With arguments, plays those scenario files (or folders) instead of the whole course.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh windows

jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(course/scenarios)

run_player() {
  local preset=$1 arch=$2
  local prefix="$PWD/build/wine-$arch"
  export WINEPREFIX="$prefix" WINEARCH="$arch"
  local started=$SECONDS
  if [ ! -f "$prefix/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1
  fi
  # Windows without an X display: Wine's null driver.
  timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  timeout 30 wineserver -w || true
  echo "Wine prefix $arch ready in $((SECONDS - started)) s"
  started=$SECONDS
  local status=0
  timeout 900 wine "build/$preset/tests/windows/e2e/k72645_e2e_player.exe" \
    "build/$preset/src/k72645.dll" course --bench "build/$preset/e2e-bench.txt" \
    "${scenarios[@]}" || status=$?
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  echo "End-to-end player ($preset) finished in $((SECONDS - started)) s; calls per group:"
  cat "build/$preset/e2e-bench.txt" 2>/dev/null || true
  return "$status"
}

for preset in windows-i686 windows-x86_64; do
  printf '\n--- %s ---\n' "$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

status=0
run_player windows-i686 win32 || status=1
run_player windows-x86_64 win64 || status=1
exit "$status"
