#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing when they are there.
# With the argument "windows" it installs the Windows cross toolchain and Wine instead
# (MinGW-w64, widl, Wine for both bitnesses, Xvfb) and the installer tools (msitools, wixl),
# adding the i386 architecture if needed.
set -euo pipefail

if [ "${1:-}" = "windows" ]; then
  packages=(mingw-w64 mingw-w64-tools wine wine64 wine32:i386 xvfb xauth msitools wixl)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture"
    dpkg --add-architecture i386
    need_update=1
  fi
else
  packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev
            libbenchmark-dev nlohmann-json3-dev libcli11-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ] || [ -n "${need_update:-}" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi
