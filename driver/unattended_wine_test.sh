#!/usr/bin/env bash
# An unattended build, installation and removal of the shipped product under
# Wine, in the prefix and display the test run set up:
# unattended_wine_test.sh INSTALL.EXE LOADER.EXE UNINSTALL.EXE.
# *BUILD makes setup.exe with no window, setup.exe /VERYSILENT installs with
# exit code 0 and a log, the uninstaller /SILENT and /SILENT /REMOVESHARED
# remove it with 0 (an unknown product with 1603), and a damaged archive ends
# with 1603 and its message in the log. Wine, as any Unix process, hands on
# the low 8 bits of an exit code: 1603 arrives as 67.
set -u
install=$1 loader=$2 uninstall=$3
root=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:?the Wine prefix of the test run}"
c=$WINEPREFIX/drive_c
dir=$c/kittest/un$$ win="C:\\kittest\\un$$"
mkdir -p "$dir/kit" "$dir/Kobbelin" "$dir/dist" "$dir/bad"
failures=0
cleanup() {
  rm -rf "$dir" "$c/TAVWIN" "$c/Tavwin"
  wine reg delete 'HKLM\Software\Tarn Vell' /f >/dev/null 2>&1
}
trap cleanup EXIT
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
logged() { grep -qF -- "$2" "$1"; }
run() { timeout 300 env "$@" </dev/null >/dev/null 2>&1; }
installed() { test -e "$c/Tavwin/Tavrix.exe" || test -e "$c/TAVWIN/Tavrix.exe"; }
no_uninstall_entry() {
  ! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrix for Windows' >/dev/null 2>&1
}

# The build machine is the prefix: the product's files, the uninstaller and
# the loading program where the shipped configuration takes them from.
python3 "$root/scripts/tavrix_payload.py" payload "$c/TAVWIN" >/dev/null
mkdir -p "$c/Program Files/Kobbelin32/Version2"
cp "$uninstall" "$c/Program Files/Kobbelin32/Version2/uninstall.exe"
cp "$loader" "$dir/Kobbelin/KobbelinLoadProgram.exe"
wine reg add 'HKLM\Software\Tarn Vell\Kobbelin96' /v KobbelinDirectory /d "$win\\Kobbelin" /f >/dev/null 2>&1
cp "$install" "$dir/kit/INSTALL.EXE"
printf '%s\r\n' "$win\\dist" >"$dir/kit/BUILD.INF"
run KOBBELIN_SETUP_MODE=verysilent "KOBBELIN_SETUP_LOG=$win\\build.log" wine "$win\\kit\\INSTALL.EXE" '*BUILD'; rc=$?
check "*BUILD in the unattended mode exits with 0" test $rc -eq 0
check "and makes setup.exe" test -s "$dir/dist/setup.exe"
check "its log ends with the outcome" bash -c 'tail -1 "$1" | grep -q " outcome   0 "' _ "$dir/build.log"
rm -rf "$c/TAVWIN"  # the product's files are the installation's again

run wine "$win\\dist\\setup.exe" /VERYSILENT "/LOG=$win\\setup.log"; rc=$?
check "a very silent installation exits with 0" test $rc -eq 0
check "the log names the start" logged "$dir/setup.log" " setup     $win\\dist\\setup.exe started, verysilent"
check "each file with its overwrite rule" logged "$dir/setup.log" ' file      c:\Tavwin\Tavrix.exe: written, '
check "each registry value" logged "$dir/setup.log" ' registry  HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrix for Windows\DisplayName = "Tavrix for Windows"'
check "and the outcome last" bash -c 'tail -1 "$1" | grep -q " outcome   0 installation complete"' _ "$dir/setup.log"
check "the product is installed" installed

run wine 'c:\Tavwin\uninstall.exe' /SILENT "/LOG=$win\\remove.log" Tavrix for Windows; rc=$?
check "a silent removal exits with 0" test $rc -eq 0
# The running uninstaller's file is in use: it goes at the next restart.
check "its final message is logged" logged "$dir/remove.log" ' message   The uninstallation program for Tavrix for Windows will be removed after you reboot your computer.'
check "the uninstall entry is gone" no_uninstall_entry
wineserver -w

run wine "$win\\dist\\setup.exe" /VERYSILENT "/LOG=$win\\setup2.log"; rc=$?
check "installed again with 0" test $rc -eq 0
run wine 'c:\Tavwin\uninstall.exe' /SILENT /REMOVESHARED "/LOG=$win\\remove2.log" Tavrix for Windows; rc=$?
check "a silent removal with /REMOVESHARED exits with 0" test $rc -eq 0
check "and logs its outcome" logged "$dir/remove2.log" ' outcome   0 removal complete'
wineserver -w
cp "$uninstall" "$dir/kit/UNINSTALL.EXE"
run wine "$win\\kit\\UNINSTALL.EXE" /SILENT "/LOG=$win\\remove3.log" No Such Product; rc=$?
check "removing an unknown product exits with 1603 ($rc)" test $rc -eq $((1603 % 256))
check "and logs the failure" logged "$dir/remove3.log" ' outcome   1603 removal failed'
check "naming the missing log key" logged "$dir/remove3.log" 'No installation of No Such Product is logged: the key HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\No Such Product does not exist'

# A damaged archive: the files part of setup.exe overwritten in its middle.
cp "$dir/dist/setup.exe" "$dir/bad/setup.exe"
size=$(stat -c %s "$dir/bad/setup.exe")
printf '%*s' 4096 '' | tr ' ' 'X' | dd of="$dir/bad/setup.exe" bs=1 seek=$((size - 300000)) conv=notrunc status=none
run wine "$win\\bad\\setup.exe" /SILENT "/LOG=$win\\bad.log"; rc=$?
check "a damaged archive exits with 1603 ($rc)" test $rc -eq $((1603 % 256))
check "with the failure's message in the log" logged "$dir/bad.log" ' outcome   1603 installation failed: '
tail -3 "$dir/bad.log"
wine 'c:\Tavwin\uninstall.exe' /VERYSILENT Tavrix for Windows </dev/null >/dev/null 2>&1
wineserver -w

echo "$failures failure(s)"
test "$failures" -eq 0
