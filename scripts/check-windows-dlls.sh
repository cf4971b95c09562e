#!/usr/bin/env bash
# The component's DLLs checked without running them, on every machine:
# - exports: the in-process server's entry points (the four of every such server and
#   DllInstall), undecorated, and nothing else;
# - imports: system DLLs only (a learner's PC has no MinGW runtime DLL);
# - type libraries: the 32-bit DLL's, read from the 64-bit side without registration, print the
#   same as the 64-bit DLL's (libraries, types, GUIDs, DISPIDs, members, parameters);
# - version resources: the DLLs (the same in both bitnesses) and the Word server carry the
#   project's version as file and product version, the product's name, a description and the
#   copyright.
# Each check is first shown to fail on a fixture built to break it, then run on the real DLLs.
# The type library reader is a 64-bit program run under Wine (64-bit Wine runs on every machine
# of this kind). Usage: check-windows-dlls.sh [BUILD_ROOT] (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
i686=$build/windows-i686
x64=$build/windows-x86_64
logs=$build/wine-logs
mkdir -p "$logs"

failures=0
pass() { echo "ok    $*"; }
fail() { echo "FAIL  $*"; failures=$((failures + 1)); }

# The names a DLL exports, one a line.
exports_of() {
  "$1-objdump" -p "$2" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
    table && /^[[:space:]]*$/ { table = 0 }
    table { print $NF }'
}

# The DLLs a DLL imports, one a line, in lower case.
imports_of() {
  "$1-objdump" -p "$2" | awk '/DLL Name:/ { print tolower($3) }'
}

# Why a DLL's exports are not the component's entry points undecorated, or nothing.
exports_problem() {
  local names expected
  names=$(exports_of "$1" "$2" | sort)
  expected=$(printf '%s\n' DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer \
    DllUnregisterServer | sort)
  if [ -z "$names" ]; then
    echo "exports nothing"
  elif [ "$names" != "$expected" ]; then
    echo "exports $(echo "$names" | tr '\n' ' ')instead of the five undecorated entry points"
  fi
}

# The project's version, as CMakeLists.txt declares it.
project_version=$(sed -n 's/^project(k72645 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# A program's version resource as windres prints it, from VERSIONINFO to its closing END.
versioninfo_of() {
  "$1-windres" -i "$2" -O rc 2>/dev/null |
    awk '/ VERSIONINFO$/ { on = 1 } on { print } on && /^END$/ { exit }'
}

# Why a program's version resource is not the product's, or nothing.
versioninfo_problem() {
  local info field value numbers
  info=$(versioninfo_of "$1" "$2")
  if [ -z "$info" ]; then echo "has no version resource"; return; fi
  for field in FileVersion ProductVersion ProductName FileDescription LegalCopyright; do
    value=$(echo "$info" | sed -n "s/^ *VALUE \"$field\", \"\(.*\)\"\$/\1/p")
    if [ -z "$value" ]; then echo "has no $field"; return; fi
    case $field in
      FileVersion | ProductVersion)
        if [ "$value" != "$project_version" ]; then
          echo "gives $field $value instead of $project_version"; return
        fi ;;
    esac
  done
  numbers="$(echo "$project_version" | sed 's/\./, /g'), 0"
  for field in FILEVERSION PRODUCTVERSION; do
    if ! echo "$info" | grep -qx " *$field $numbers"; then
      echo "gives $(echo "$info" | grep -m1 " $field ") instead of $field $numbers"; return
    fi
  done
}

# Why the version resources of two programs differ, or nothing.
versioninfos_problem() {
  local left right
  left=$(versioninfo_of "$1" "$2")
  right=$(versioninfo_of "$3" "$4")
  if [ "$left" != "$right" ]; then
    echo "version resources differ:"
    diff <(echo "$left") <(echo "$right") | head -n 20 | sed 's/^/        /' || true
  fi
}

# The DLLs that Windows itself provides; anything else would have to be shipped with the player.
system_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll ole32.dll oleaut32.dll msvcrt.dll
  shell32.dll shlwapi.dll rpcrt4.dll ntdll.dll comctl32.dll version.dll"

# Why a DLL's imports are not system DLLs only, or nothing.
imports_problem() {
  local dll foreign=()
  for dll in $(imports_of "$1" "$2"); do
    case " $(echo $system_dlls) " in
      *" $dll "*) ;;
      *) foreign+=("$dll") ;;
    esac
  done
  if [ "${#foreign[@]}" -gt 0 ]; then echo "imports ${foreign[*]}, not system DLLs"; fi
}

# Prints a file's type libraries with the 64-bit reader under Wine.
typelib_text() {
  WINEPREFIX="$PWD/$build/wine-win64" WINEARCH=win64 WINEDEBUG=err+all \
    timeout 120 /usr/lib/wine/wine64 "$x64/tests/windows/static/k72645_typelib_dump.exe" "$1" \
    2>>"$logs/typelib.log"
}

# Why two files' type libraries differ, or nothing.
typelibs_problem() {
  local left right
  left=$(typelib_text "$1") || { echo "cannot read the type libraries of $1"; return; }
  right=$(typelib_text "$2") || { echo "cannot read the type libraries of $2"; return; }
  if [ -z "$left" ]; then
    echo "no type library read from $1"
  elif [ "$left" != "$right" ]; then
    echo "type libraries differ:"
    diff <(echo "$left") <(echo "$right") | head -n 20 | sed 's/^/        /'  || true
  fi
}

# expect_refused CHECK WHAT ARGS...: the check must find a problem in a fixture made to have one.
expect_refused() {
  local check=$1 what=$2 problem
  shift 2
  problem=$("$check" "$@") || true
  if [ -n "$problem" ]; then pass "refuses $what ($problem)"; else fail "accepts $what"; fi
}

# expect_sound CHECK WHAT ARGS...: the check must find nothing wrong.
expect_sound() {
  local check=$1 what=$2 problem
  shift 2
  problem=$("$check" "$@") || true
  if [ -z "$problem" ]; then pass "$what"; else fail "$what: $problem"; fi
}

fixtures32=$i686/tests/windows/static/fixtures
fixtures64=$x64/tests/windows/static/fixtures
echo "The checks refuse what they must:"
expect_refused exports_problem "decorated exports (32-bit)" i686-w64-mingw32 \
  "$fixtures32/k72645_fixture_decorated.dll"
expect_refused imports_problem "the MinGW runtime DLLs imported (32-bit)" i686-w64-mingw32 \
  "$fixtures32/k72645_fixture_runtime.dll"
expect_refused imports_problem "the MinGW runtime DLLs imported (64-bit)" x86_64-w64-mingw32 \
  "$fixtures64/k72645_fixture_runtime.dll"
expect_refused typelibs_problem "a type library with a moved DISPID" \
  "$fixtures64/typelib_same.tlb" "$fixtures64/typelib_changed.tlb"
expect_refused versioninfo_problem "a DLL without a version resource" i686-w64-mingw32 \
  "$fixtures32/k72645_fixture_decorated.dll"
expect_sound typelibs_problem "a 32-bit and a 64-bit build of one type library print the same" \
  "$fixtures32/typelib_same.tlb" "$fixtures64/typelib_same.tlb"

echo "The component's DLLs:"
expect_sound exports_problem "32-bit DLL exports the five entry points undecorated" \
  i686-w64-mingw32 "$i686/src/k72645.dll"
expect_sound exports_problem "64-bit DLL exports the five entry points undecorated" \
  x86_64-w64-mingw32 "$x64/src/k72645.dll"
expect_sound imports_problem "32-bit DLL imports system DLLs only" i686-w64-mingw32 \
  "$i686/src/k72645.dll"
expect_sound imports_problem "64-bit DLL imports system DLLs only" x86_64-w64-mingw32 \
  "$x64/src/k72645.dll"
expect_sound typelibs_problem "the 32-bit DLL's type libraries match the 64-bit DLL's" \
  "$i686/src/k72645.dll" "$x64/src/k72645.dll"
expect_sound versioninfo_problem "32-bit DLL carries the product's version resource ($project_version)" \
  i686-w64-mingw32 "$i686/src/k72645.dll"
expect_sound versioninfo_problem "64-bit DLL carries the product's version resource ($project_version)" \
  x86_64-w64-mingw32 "$x64/src/k72645.dll"
expect_sound versioninfos_problem "the 32-bit DLL's version resource is the 64-bit DLL's" \
  i686-w64-mingw32 "$i686/src/k72645.dll" x86_64-w64-mingw32 "$x64/src/k72645.dll"
expect_sound versioninfo_problem "64-bit Word server carries the product's version resource" \
  x86_64-w64-mingw32 "$x64/src/k72645_word_server.exe"

if [ "$failures" -gt 0 ]; then
  echo "static checks: $failures failed (Wine's messages: $logs/typelib.log)"
  tail -n 20 "$logs/typelib.log" 2>/dev/null || true
  exit 1
fi
echo "static checks: all passed"
