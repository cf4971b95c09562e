#!/usr/bin/env bash
# The Windows component: builds the 32-bit (the player's) and 64-bit DLLs with MinGW-w64, then
# runs the COM client under Wine for each, in a private Wine prefix under build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh windows

jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
export WINEDEBUG=-all
# No desktop integration or Mono/Gecko prompts in the private prefixes.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"

run_client() {
  local preset=$1 arch=$2
  local prefix="$PWD/build/wine-$arch"
  export WINEPREFIX="$prefix" WINEARCH="$arch"
  local started=$SECONDS
  if [ ! -f "$prefix/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1
  fi
  echo "Wine prefix $arch ready in $((SECONDS - started)) s"
  started=$SECONDS
  local status=0
  timeout 120 wine "build/$preset/tests/windows/k72645_com_client.exe" \
    "build/$preset/src/k72645.dll" || status=$?
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  echo "COM client ($preset) finished in $((SECONDS - started)) s"
  return "$status"
}

for preset in windows-i686 windows-x86_64; do
  printf '\n--- %s ---\n' "$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# The client opens no window, so Wine needs no display (no Xvfb).
run_client windows-i686 win32
run_client windows-x86_64 win64

# The component end to end: the course's scenarios through real COM and real windows, with the
# simulated Word hosted as Word's COM server (both bitnesses).
bash scripts/test-windows-e2e.sh
