#!/usr/bin/env bash
# The main job under Wine, with the Win32 programs: builds them, builds the
# Tavrix distribution with "*BUILD" in one Wine prefix (the build machine),
# installs it from the self-extracting setup.exe in a fresh second prefix
# through the wizard's real windows (windriver presses the buttons a person
# would and the page captions are printed), shows the files, the registry
# log and the links, removes it with the installed uninstaller and shows
# that nothing is left. Then "*TODISK" writes the distribution onto a
# floppy folder mapped as drive a: and the product is installed from it.
# Called by scripts/demo.sh when KIT_DEMO_WINE=1.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/wine-env.sh
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
b=build/$KIT_WIN_PRESET
cmake --preset "$KIT_WIN_PRESET" >/dev/null
cmake --build "$b" -j "${KIT_JOBS:-2}" \
  --target install_program uninstall_program load_program tinst_program windriver

work=$root/${KIT_DEMO_DIR:-build/demo-wine}
rm -rf "$work"
mkdir -p "$work"
shipped=$work/programs
mkdir -p "$shipped"
for p in driver/install loader/KobbelinLoadProgram uninstall/uninstall programs/tinst/Tinst; do
  cp "$b/$p.exe" "$shipped/${p##*/}.exe"
done
windriver=$root/$b/ui/windriver.exe

rc=0
floppy=""
cleanup() {
  kit_wine_cleanup
  if [ -n "$floppy" ]; then rm -rf "$floppy"; fi
}
trap cleanup EXIT
kit_start_display

# The installer runs in code page 1252 (LANG=C), its user language English:
# the translator makes "İleri" into "Next >" and "Devam" into "Finish". Its
# captions' 0xFD reads as U+00FD, which the driver gets in UTF-8.
win() { LC_ALL=C LANG=C wine "$@"; }
drive() { LC_ALL=C.UTF-8 LANG=C.UTF-8 wine "$windriver" "$@" 2>/dev/null; }
fresh_prefix() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  kit_new_prefix
  c=$WINEPREFIX/drive_c
}
# Prints a window's texts, in UTF-8 whatever code page they came in.
texts() {
  python3 -c '
import re, sys
raw = sys.stdin.buffer.read()
try:
    text = raw.decode("utf-8")
except UnicodeDecodeError:
    text = raw.decode("cp1252", "replace")
for line in text.splitlines():
    m = re.match(r"\s*(Static|Button|Edit|KitControl)\s+\"(.+)\"\s+-?\d+,-?\d+,\d+,\d+(.*)$", line)
    if m and "hidden" not in m.group(3) and m.group(2).strip():
        shown = m.group(2).replace("&", "")[:100]
        print("     " + ("[" + shown + "]" if m.group(1) == "Button" and "checked" not in m.group(3) else shown))
'
}
# A window as a person meets it: wait until the window of that caption shows
# BUTTON visible and enabled, print the caption and the texts it shows, then
# press BUTTON.
page() {  # page CAPTION BUTTON TIMEOUT_SECONDS
  local caption=$1 button=$2 seconds=$3 controls end
  end=$((SECONDS + seconds))
  while [ $SECONDS -lt $end ]; do
    controls=$(drive list "$caption" | tr -d '\r' || true)
    if tr -d '&' <<<"$controls" | grep -qE "^ *Button \"$button\" -?[0-9]+,-?[0-9]+,[0-9]+,[0-9]+\$"; then
      echo "-- \"$caption\""
      texts <<<"$controls"
      if drive press "$caption" "$button"; then
        echo "   pressed \"$button\""
        return 0
      fi
    fi
    sleep 0.3
  done
  echo "!! no \"$button\" on a window \"$caption\" within ${seconds}s"
  return 1
}
# The wizard of an attended installation, from its first page to the
# good-install page, whose Finish starts the product's Tinst.exe /A.
wizard() {  # wizard PROGRAM: runs it and answers its pages
  local started setup src=0
  started=$SECONDS
  win "$1" </dev/null >/dev/null 2>&1 &
  setup=$!
  page "Tavrix for Windows" "Next >" 120 || rc=1
  page "Software license agreement" "Next >" 60 || rc=1
  page "Install Tamamland$(printf '\xc3\xbd')" "Finish" 300 || rc=1
  echo "   (the good-install page came $((SECONDS - started)) s after the start)"
  wait "$setup" || src=$?
  echo "setup exited with $src after $((SECONDS - started)) s"
  if [ "$src" -ne 0 ]; then rc=$src; fi
  wineserver -w
}
# Removes the product as a person would: Start, then OK on the closing
# message; the uninstaller's own file goes at the restart that follows.
remove() {
  local urc=0 remover
  win 'c:\Tavwin\uninstall.exe' Tavrix for Windows </dev/null >/dev/null 2>&1 &
  remover=$!
  page "Remove Tavrix for Windows" "Start" 60 || rc=1
  page "Remove Tavrix for Windows" "OK" 120 || rc=1
  wait "$remover" || urc=$?
  echo "uninstall exited with $urc"
  if [ "$urc" -ne 0 ]; then rc=$urc; fi
  wineserver -w
  win wineboot -r >/dev/null 2>&1
  wineserver -w
  # The folder that held the running uninstaller stays, empty, as it does
  # natively: only the uninstaller's own file is scheduled for the restart.
  if [ -n "$(find "$c/Tavwin" -mindepth 1 2>/dev/null | head -n 1)" ]; then
    echo "left behind:"; (cd "$c" && find Tavwin | sed 's/^/  /'); rc=1
  elif [ -e "$c/Tavwin" ]; then
    echo "c:\\Tavwin is empty: no file or folder of the product is left"
  else
    echo "c:\\Tavwin is gone"
  fi
  if win reg query "$uninstall_key" >/dev/null 2>&1; then
    echo "the uninstall key is still there"; rc=1
  else
    echo "the uninstall key is gone"
  fi
}
installed() {
  echo "== files installed"
  (cd "$c" && find Tavwin -type f | sort | sed 's/^/  /' | head -n 12)
  echo "  ... $(find "$c/Tavwin" -type f | wc -l) files in c:\\Tavwin"
}
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrix for Windows'

echo "== the build machine (a Wine prefix): payload in C:\\TAVWIN, the kit in C:\\KIT"
fresh_prefix
python3 scripts/tavrix_payload.py payload "$c/TAVWIN" "$shipped/Tinst.exe"
mkdir -p "$c/Program Files/Kobbelin32/Version2" "$c/Kobbelin" "$c/KIT"
cp "$shipped/uninstall.exe" "$c/Program Files/Kobbelin32/Version2/uninstall.exe"
cp "$shipped/KobbelinLoadProgram.exe" "$c/Kobbelin/KobbelinLoadProgram.exe"
win reg add 'HKLM\Software\Tarn Vell\Kobbelin96' /v KobbelinDirectory /d 'C:\Kobbelin' /f >/dev/null 2>&1
cp "$shipped/install.exe" "$c/KIT/INSTALL.EXE"
printf 'C:\\DIST\r\n' >"$c/KIT/BUILD.INF"

echo "== *BUILD"
brc=0
win 'C:\KIT\INSTALL.EXE' '*BUILD' </dev/null >/dev/null 2>&1 || brc=$?
echo "*BUILD exited with $brc"
if [ "$brc" -ne 0 ] || [ ! -s "$c/DIST/setup.exe" ]; then exit 1; fi
(cd "$c/DIST" && ls -l | awk 'NR > 1 { print "  " $5 "  " $9 }')
cp "$c/DIST/setup.exe" "$work/setup.exe"

echo "== *TODISK: the distribution onto the floppy in drive a: (a host folder)"
# Wine measures a mapped folder's free room on the host's disk: everything
# fits on disk 1 here, and no disk prompt comes.
floppy=$(mktemp -d /tmp/kit-demo-floppy.XXXXXX)
ln -s "$floppy" "$WINEPREFIX/dosdevices/a:"
trc=0
win 'C:\KIT\INSTALL.EXE' '*TODISK' SETUP.EXE 'C:\DIST' </dev/null >/dev/null 2>&1 || trc=$?
echo "*TODISK exited with $trc"
if [ "$trc" -ne 0 ]; then rc=$trc; fi
(cd "$floppy" && ls -l | awk 'NR > 1 { print "  " $5 "  " $9 }')

echo "== install from setup.exe in a fresh prefix, through the wizard"
fresh_prefix
mkdir -p "$c/DIST"
cp "$work/setup.exe" "$c/DIST/SETUP.EXE"
wizard 'C:\DIST\SETUP.EXE'
installed
echo "== installation log"
win reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | sed '/^$/d' || true
echo "== links"
links=$(cd "$c" && find . -iname '*.lnk' | sort)
if [ -n "$links" ]; then sed 's/^/  /' <<<"$links"; else echo "  (the configuration makes none)"; fi

echo "== remove it with the uninstaller the installation put in place"
remove

echo "== install from the floppy in a fresh prefix"
fresh_prefix
ln -s "$floppy" "$WINEPREFIX/dosdevices/a:"
wizard 'A:\SETUP.EXE'
installed
remove

exit "$rc"
