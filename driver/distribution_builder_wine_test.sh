#!/usr/bin/env bash
# The "*TODISK" tests under Wine: a fresh host folder mapped as drive a: in
# the prefix for the run. Usage: distribution_builder_wine_test.sh DRIVER_TESTS_EXE
set -euo pipefail
prefix=${WINEPREFIX:-$HOME/.wine}
link="$prefix/dosdevices/a:"
if [ -e "$link" ] || [ -L "$link" ]; then
  echo "drive a: is already mapped in $prefix" >&2
  exit 1
fi
floppy=$(mktemp -d /tmp/kit-floppy.XXXXXX)
trap 'rm -f "$link"; rm -rf "$floppy"' EXIT
ln -s "$floppy" "$link"
out=$(wine "$1" --gtest_filter='ToDiskTest.*' --gtest_color=no 2>&1) || { echo "$out"; exit 1; }
echo "$out"
# Skipped means the mapping was not seen: a failure here.
if grep -q '^\[  SKIPPED \]' <<<"$out"; then exit 1; fi
