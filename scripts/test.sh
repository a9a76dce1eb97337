#!/usr/bin/env bash
# The whole test suite on a fresh Debian 12 machine: installs what is needed,
# builds the native, win32 and fuzz presets, runs the native suite, the Win32
# suite under Wine (in Xvfb, in a throwaway prefix) and the fuzz targets for a
# bounded time. Exits non-zero on any failure. On a machine that runs no
# 32-bit code the Win32 suite runs as the x86-64 build (preset win64) under
# 64-bit Wine; the 32-bit build is still made.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

jobs=${KIT_JOBS:-2}
fuzz_seconds=${KIT_FUZZ_SECONDS:-20}

echo "== build: native"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
echo "== build: win32"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
echo "== build: fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

. scripts/wine-env.sh
if [ "$KIT_WIN_PRESET" != win32 ]; then
  echo "== this machine runs no 32-bit x86 code: the Win32 suite runs as its x86-64 build under 64-bit Wine"
  echo "== build: $KIT_WIN_PRESET"
  cmake --preset "$KIT_WIN_PRESET" >/dev/null
  cmake --build --preset "$KIT_WIN_PRESET" -j "$jobs"
fi

echo "== test: native"
ctest --preset native

trap kit_wine_cleanup EXIT
kit_start_display
kit_new_prefix
echo "== test: $KIT_WIN_PRESET under Wine (prefix $WINEPREFIX)"
ctest --preset "$KIT_WIN_PRESET"

echo "== fuzz: ${fuzz_seconds}s per target"
bash scripts/fuzz.sh "$fuzz_seconds"

echo "== all suites passed"
