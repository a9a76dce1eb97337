#!/usr/bin/env bash
# The native and the Windows build of the same configuration write the same
# archives: "*BUILD" of the shipped configuration on the same payload (the
# same bytes and dates, the Windows uninstall.exe in both), natively in an
# emulated machine with the Windows install.exe standing as the installer
# (so setup.1 holds the same program), and under Wine. files.1 and setup.1
# must be byte-identical.
# Usage: distribution_builder_identity_test.sh NATIVE_INSTALL KITVM SOURCE_DIR [WIN_BUILD_DIR]
# Exits 77 (skipped) without Wine or a Windows build.
set -euo pipefail
install=$1 kitvm=$2 src=$3
command -v wine >/dev/null || { echo "no Wine"; exit 77; }
. "$src/scripts/wine-env.sh"
win=${4:-$src/build/$KIT_WIN_PRESET}
for f in driver/install.exe uninstall/uninstall.exe loader/KobbelinLoadProgram.exe; do
  [ -f "$win/$f" ] || { echo "no $win/$f: build the $KIT_WIN_PRESET preset first"; exit 77; }
done
export TZ=UTC
work=$(mktemp -d /tmp/kit-identity.XXXXXX)
cleanup() { kit_wine_cleanup; rm -rf "$work"; }
trap cleanup EXIT
stamp='2026-01-02 03:04:06'

python3 "$src/scripts/tavrix_payload.py" payload "$work/payload"
cp "$win/uninstall/uninstall.exe" "$work/uninstall.exe"
cp "$win/driver/install.exe" "$work/INSTALL.EXE"
find "$work" -type f -exec touch -d "$stamp" {} +
printf 'C:\\DIST\r\n' >"$work/BUILD.INF"

echo "== native"
m=$work/machine
"$kitvm" create "$m" --version nt4 >/dev/null
(cd "$work/payload" && find . -type f | sort) | while read -r f; do
  rel=${f#./}
  "$kitvm" put "$m" "$work/payload/$rel" "C:\\TAVWIN\\${rel//\//\\}"
done
"$kitvm" put "$m" "$work/uninstall.exe" 'C:\Program Files\Kobbelin32\Version2\uninstall.exe'
"$kitvm" put "$m" "$win/loader/KobbelinLoadProgram.exe" 'C:\Kobbelin\KobbelinLoadProgram.exe'
"$kitvm" regset "$m" 'HKLM\Software\Tarn Vell\Kobbelin96' KobbelinDirectory 'C:\Kobbelin'
"$kitvm" put "$m" "$work/INSTALL.EXE" 'C:\KIT\INSTALL.EXE'
"$kitvm" put "$m" "$work/BUILD.INF" 'C:\KIT\BUILD.INF'
find "$m/drives/c" -type f -exec touch -d "$stamp" {} +
KIT_MACHINE=$m KIT_EXE_PATH='C:\KIT\INSTALL.EXE' "$install" '*BUILD' </dev/null
native=$m/drives/c/DIST

echo "== Wine ($KIT_WIN_PRESET)"
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then kit_start_display; fi
kit_new_prefix
c=$WINEPREFIX/drive_c
mkdir -p "$c/TAVWIN" "$c/Program Files/Kobbelin32/Version2" "$c/Kobbelin" "$c/KIT"
cp -pr "$work/payload/." "$c/TAVWIN/"
cp -p "$work/uninstall.exe" "$c/Program Files/Kobbelin32/Version2/uninstall.exe"
cp -p "$win/loader/KobbelinLoadProgram.exe" "$c/Kobbelin/KobbelinLoadProgram.exe"
cp -p "$work/INSTALL.EXE" "$work/BUILD.INF" "$c/KIT/"
wine reg add 'HKLM\Software\Tarn Vell\Kobbelin96' /v KobbelinDirectory /d 'C:\Kobbelin' /f >/dev/null 2>&1
wine 'C:\KIT\INSTALL.EXE' '*BUILD'
wineserver -w

status=0
for f in files.1 setup.1; do
  if cmp "$native/$f" "$c/DIST/$f"; then
    echo "$f: identical, $(stat -c %s "$native/$f") bytes"
  else
    echo "$f: differs"
    status=1
  fi
done
exit "$status"
