#!/usr/bin/env bash
# Every test, in stages: the native suite (unit tests and the course's scenarios) built once with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets of that same build for a
# bounded time, the benchmarks of the release build, then the Windows component: both DLLs built
# with MinGW-w64, checked without running them, and proven under Wine for each bitness this
# machine can run, and their installer packages, read without installing them and proven under
# Wine (installed, used, upgraded, removed); the debug preset is built with GCC, its own compiler.
# A failing stage does not stop the later ones; the summary at the end says,
# for each stage, passed, failed or skipped and why.
# With arguments, runs only the named groups: native, windows.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/stages.sh
jobs=$(nproc)
groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(native windows)
wants() { [[ " ${groups[*]} " == *" $1 "* ]]; }

install_native() { bash scripts/install-deps.sh; }
install_windows() { bash scripts/install-deps.sh windows; }

native_suite() {
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
}

fuzzers() {
  bash scripts/run-fuzzers.sh build/asan "${FUZZ_SECONDS:-30}"
}

benchmarks() {
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$jobs" --target k72645_benchmarks
  bash scripts/run-benchmarks.sh build/release
}

# Both DLLs, their installer packages and their static-check fixtures always; the Windows test
# programs of a bitness only where this machine can run them.
windows_builds() {
  source scripts/lib/wine.sh
  local preset targets=()
  for preset in windows-i686 windows-x86_64; do
    printf -- '--- %s ---\n' "$preset"
    cmake --preset "$preset" >/dev/null
    targets=()
    if [ "$preset" = windows-i686 ] && ! probe_32bit >/dev/null; then
      targets=(--target k72645_component k72645_fixture_decorated k72645_fixture_runtime
               k72645_typelib_fixtures k72645_package k72645_package_older)
      echo "(the DLL and the fixtures only: the 32-bit test programs cannot run here)"
    fi
    cmake --build --preset "$preset" -j "$jobs" "${targets[@]}"
  done
}

windows_static_checks() {
  source scripts/lib/wine.sh
  use_prefix win64
  bash scripts/check-windows-dlls.sh build
}

# com_client PRESET ARCH: registration, creation and the player's interfaces through real COM.
com_client() {
  source scripts/lib/wine.sh
  needs_bitness "$2" || return 0
  in_wine "$2" "com-client-$2" 120 "build/$1/tests/windows/k72645_com_client.exe" \
    "build/$1/src/k72645.dll"
}

# bridge_test PRESET ARCH: the COM bridges each way, between engine objects and IDispatch.
bridge_test() {
  source scripts/lib/wine.sh
  needs_bitness "$2" || return 0
  in_wine "$2" "bridge-test-$2" 120 "build/$1/tests/windows/k72645_bridge_test.exe"
}

# hostile_client PRESET ARCH: what a careless or hostile client may pass; nothing outside the
# working folder may change and the process must survive.
hostile_client() {
  source scripts/lib/wine.sh
  needs_bitness "$2" || return 0
  in_wine "$2" "hostile-client-$2" 120 "build/$1/tests/windows/k72645_hostile_client.exe" \
    "build/$1/src/k72645.dll"
}

# script_passed NAME: a script stopped by an error of its own still leaves cscript with status
# 0, so a script run passes only when it printed its closing line.
script_passed() {
  grep -q '^PASSED: 0 failure(s)' "build/wine-logs/$1.log" && return 0
  echo "$1: the script did not reach its end (see build/wine-logs/$1.log)"
  return 1
}

# scripting_host PRESET ARCH: a VBScript run by Wine's cscript drives the registered DLL, passing
# its variables by reference as VARIANT references, as scripting hosts do.
scripting_host() {
  source scripts/lib/wine.sh
  needs_bitness "$2" || return 0
  local dll="build/$1/src/k72645.dll" status=0
  in_wine "$2" "regsvr32-$2" 60 regsvr32 /s "$dll"
  in_wine "$2" "scripting-host-$2" 120 cscript //nologo tests/windows/scripting_host.vbs || status=$?
  script_passed "scripting-host-$2" || status=1
  in_wine "$2" "regsvr32-$2" 60 regsvr32 /s /u "$dll"
  return "$status"
}

# word_server PRESET ARCH: the same VBScript, given the course folder, drives the component against the simulated Word in a
# process of its own (the local server, registered as Word registers itself), and kills it; then a
# client asks for a Word each time the last one quits, across the server's end.
word_server() {
  source scripts/lib/wine.sh
  needs_bitness "$2" || return 0
  local dll="build/$1/src/k72645.dll" server="build/$1/src/k72645_word_server.exe" status=0
  in_wine "$2" "regsvr32-$2" 60 regsvr32 /s "$dll"
  in_wine "$2" "word-server-$2" 60 "$server" /RegServer
  in_wine "$2" "word-server-script-$2" 300 cscript //nologo tests/windows/scripting_host.vbs course ||
    status=$?
  script_passed "word-server-script-$2" || status=1
  in_wine "$2" "word-server-client-$2" 180 "build/$1/tests/windows/k72645_word_server_client.exe" ||
    status=$?
  # A Word left running by a failed run is ended, so that nothing stays behind.
  in_wine "$2" "word-server-$2" 60 taskkill /F /IM k72645_word_server.exe >/dev/null 2>&1 || true
  in_wine "$2" "word-server-$2" 60 "$server" /UnregServer
  in_wine "$2" "regsvr32-$2" 60 regsvr32 /s /u "$dll"
  return "$status"
}

# end_to_end ARCH: the course's scenarios through the DLL and the simulated Word as a COM server.
end_to_end() {
  source scripts/lib/wine.sh
  needs_bitness "$1" || return 0
  bash scripts/test-windows-e2e.sh --arch "$1" --no-build course/scenarios
}

# The course end to end under both bitnesses at once. Each bitness has its own Wine prefix (its
# own wineserver and desktop, so neither sees the other's Word windows), and a run spends its time
# waiting on calls between processes rather than on the processors, so side by side the two take
# little longer than one. The 32-bit run goes in the background, its output kept; its own stage
# waits for it and reports it. The bench compares each group with bare calls timed beside its
# checks, under the load of the moment, so the second run does not skew the ratios.
e2e_win32_output=build/wine-logs/end-to-end-win32.out
e2e_win32_status=build/wine-logs/end-to-end-win32.status

end_to_end_with_32bit_beside() {
  source scripts/lib/wine.sh
  rm -f "$e2e_win32_status"
  if probe_32bit >/dev/null; then
    (
      status=0
      bash scripts/test-windows-e2e.sh --arch win32 --no-build course/scenarios \
        >"$e2e_win32_output" 2>&1 || status=$?
      echo "$status" >"$e2e_win32_status"
    ) &
    echo "(the 32-bit run goes on beside this one; its stage reports it)"
  fi
  end_to_end win64
}

end_to_end_32bit_beside() {
  source scripts/lib/wine.sh
  needs_bitness win32 || return 0
  local waited=0 limit=1800
  while [ ! -f "$e2e_win32_status" ] && [ "$waited" -lt "$limit" ]; do
    sleep 5
    waited=$((waited + 5))
  done
  cat "$e2e_win32_output" 2>/dev/null || true
  if [ ! -f "$e2e_win32_status" ]; then
    echo "the 32-bit run did not finish within $limit s of its stage's start"
    return 1
  fi
  return "$(cat "$e2e_win32_status")"
}

# Skips the stage (and says why) when ARCH is win32 and this machine runs no 32-bit programs.
needs_bitness() {
  local why
  [ "$1" = win32 ] || return 0
  if ! why=$(probe_32bit); then
    skip_stage "$why"
    return 1
  fi
}

# The debug preset built with its own compiler (GCC), the tests included: the sanitizer build
# uses clang, and GCC refuses things clang lets through. Without debugging information, which
# only makes the build slower and changes no diagnostic, in a folder of its own.
gcc_debug_build() {
  cmake --preset debug -B build/debug-gcc -DCMAKE_CXX_FLAGS_DEBUG=-O0 >/dev/null
  cmake --build build/debug-gcc -j "$jobs"
}

# The installer packages, read without installing them (both bitnesses, on every machine).
installer_packages() {
  bash scripts/test-windows-install.sh static
}

# install_proof ARCH: that bitness's package installed, used, upgraded and removed under Wine,
# per machine and per user, and the per-user registration of regsvr32 /n /i:user.
install_proof() {
  source scripts/lib/wine.sh
  needs_bitness "$1" || return 0
  bash scripts/test-windows-install.sh "$1"
}

if wants native; then
  run_stage "install the native toolchain" install_native
  run_stage "native suite under ASan and UBSan (unit tests, course scenarios)" native_suite
  if [ -d tests/fuzz ]; then
    run_stage "fuzz targets, ${FUZZ_SECONDS:-30} s each" fuzzers
  fi
  if [ -d tests/bench ]; then
    run_stage "release build and benchmarks" benchmarks
  fi
  run_stage "debug preset built with GCC, its own compiler (the tests included)" gcc_debug_build
fi

if wants windows; then
  run_stage "install MinGW-w64 and Wine" install_windows
  run_stage "Windows DLLs built (i686, x86_64)" windows_builds
  run_stage "Windows DLLs checked without running them" windows_static_checks
  run_stage "COM client under 64-bit Wine" com_client windows-x86_64 win64
  run_stage "COM bridges under 64-bit Wine" bridge_test windows-x86_64 win64
  run_stage "hostile client under 64-bit Wine" hostile_client windows-x86_64 win64
  run_stage "VBScript client under 64-bit Wine's cscript" scripting_host windows-x86_64 win64
  run_stage "VBScript client with Word in its own process under 64-bit Wine" word_server windows-x86_64 win64
  run_stage "COM client under 32-bit Wine" com_client windows-i686 win32
  run_stage "COM bridges under 32-bit Wine" bridge_test windows-i686 win32
  run_stage "hostile client under 32-bit Wine" hostile_client windows-i686 win32
  run_stage "VBScript client under 32-bit Wine's cscript" scripting_host windows-i686 win32
  run_stage "VBScript client with Word in its own process under 32-bit Wine" word_server windows-i686 win32
  # After every other 32-bit stage: the background run shares their prefix.
  run_stage "course end to end under 64-bit Wine, Word in its own process" \
    end_to_end_with_32bit_beside
  run_stage "course end to end under 32-bit Wine, Word in its own process (run beside the 64-bit one)" \
    end_to_end_32bit_beside
  run_stage "installer packages checked without installing them (x86, x64)" installer_packages
  run_stage "64-bit package under 64-bit Wine: per machine, per user, upgrade, removal" install_proof win64
  run_stage "32-bit package under 32-bit Wine: per machine, per user, upgrade, removal" install_proof win32
fi

summarize
