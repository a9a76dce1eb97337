#!/usr/bin/env bash
# An unattended installation and removal of the shipped product on an
# emulated machine: unattended_program_test.sh INSTALL LOADER UNINSTALL KITVM.
# setup.exe /VERYSILENT installs with exit code 0 and a log, the uninstaller
# /SILENT removes it with 0, and a damaged archive ends with 1603 and its
# message in the log.
set -u
install=$1 loader=$2 uninstall=$3 kitvm=$4
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
logged() { grep -qF -- "$2" "$1"; }

b=$work/build t=$work/target
"$kitvm" create "$b" >/dev/null || { echo "cannot create a machine"; exit 1; }
python3 "$root/scripts/tavrix_payload.py" payload "$b/drives/c/TAVWIN" >/dev/null
"$kitvm" put "$b" "$uninstall" 'C:\Program Files\Kobbelin32\Version2\uninstall.exe' >/dev/null
"$kitvm" put "$b" "$loader" 'C:\Kobbelin\KobbelinLoadProgram.exe' >/dev/null
"$kitvm" regset "$b" 'HKLM\Software\Tarn Vell\Kobbelin96' KobbelinDirectory 'C:\Kobbelin' >/dev/null
"$kitvm" put "$b" "$install" 'C:\KIT\INSTALL.EXE' >/dev/null
printf 'C:\\DIST\r\n' >"$work/BUILD.INF"
"$kitvm" put "$b" "$work/BUILD.INF" 'C:\KIT\BUILD.INF' >/dev/null
KOBBELIN_SETUP_MODE=verysilent "$kitvm" run "$b" 'C:\KIT\INSTALL.EXE' '*BUILD' </dev/null; rc=$?
check "*BUILD in the unattended mode exits with 0" test $rc -eq 0
"$kitvm" get "$b" 'C:\DIST\setup.exe' "$work/setup.exe" >/dev/null

"$kitvm" create "$t" >/dev/null
"$kitvm" put "$t" "$work/setup.exe" 'C:\DIST\SETUP.EXE' >/dev/null
"$kitvm" run "$t" 'C:\DIST\SETUP.EXE' /VERYSILENT '/LOG=C:\SETUP.LOG' </dev/null; rc=$?
check "a very silent installation exits with 0" test $rc -eq 0
"$kitvm" get "$t" 'C:\SETUP.LOG' "$work/setup.log" >/dev/null
check "the log names the start" logged "$work/setup.log" ' setup     C:\DIST\SETUP.EXE started, verysilent; installer from C:\DIST\SETUP.EXE (self-extracting)'
check "each file with its overwrite rule" logged "$work/setup.log" ' file      c:\Tavwin\Tavrix.exe: written, '
check "each registry value" logged "$work/setup.log" ' registry  HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrix for Windows\DisplayName = "Tavrix for Windows"'
check "and the outcome last" bash -c 'tail -1 "$1" | grep -q " outcome   0 installation complete"' _ "$work/setup.log"
check "the product is installed" bash -c '"$1" tree "$2" "c:\\Tavwin" | grep -q Tavrix.exe' _ "$kitvm" "$t"

"$kitvm" run "$t" 'c:\Tavwin\uninstall.exe' /SILENT '/LOG=C:\SETUP.LOG' Tavrix for Windows </dev/null; rc=$?
check "a silent removal exits with 0" test $rc -eq 0
"$kitvm" get "$t" 'C:\SETUP.LOG' "$work/setup.log" >/dev/null
check "its final message is logged" logged "$work/setup.log" ' message   Tavrix for Windows has finished removing itself'
check "the uninstall entry is gone" bash -c '! "$1" regedit "$2" "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for Windows" >/dev/null 2>&1' _ "$kitvm" "$t"
# Removing it again: nothing is logged for it any more, which is a failure.
"$kitvm" put "$t" "$uninstall" 'C:\KIT\UNINSTALL.EXE' >/dev/null
"$kitvm" run "$t" 'C:\KIT\UNINSTALL.EXE' /SILENT '/LOG=C:\AGAIN.LOG' Tavrix for Windows </dev/null; rc=$?
check "removing a product not installed exits with 1603" test $rc -eq $((1603 % 256))
"$kitvm" get "$t" 'C:\AGAIN.LOG' "$work/again.log" >/dev/null
check "and names the missing log key" logged "$work/again.log" 'No installation of Tavrix for Windows is logged: the key HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrix for Windows does not exist'

# The run after a restart, started by the Startup link without the
# environment, stays unattended: it takes the mode and log kept in the registry.
"$kitvm" put "$t" "$install" 'C:\SETUPTMP\INSTALL.EXE' >/dev/null
"$kitvm" put "$t" "$work/BUILD.INF" 'C:\SETUPTMP\GONE.TXT' >/dev/null
"$kitvm" regset "$t" 'HKLM\SOFTWARE\KOBBELININSTALLING' 'C:\SETUPTMP\GONE.TXT' 1 >/dev/null
"$kitvm" regset "$t" 'HKLM\SOFTWARE\KOBBELINUNATTENDED' Mode verysilent >/dev/null
"$kitvm" regset "$t" 'HKLM\SOFTWARE\KOBBELINUNATTENDED' Log 'C:\ABOOT.LOG' >/dev/null
env -u KOBBELIN_SETUP_MODE -u KOBBELIN_SETUP_LOG "$kitvm" run "$t" 'C:\SETUPTMP\INSTALL.EXE' '*ABOOT' </dev/null; rc=$?
check "*ABOOT after an unattended run exits with 0" test $rc -eq 0
"$kitvm" get "$t" 'C:\ABOOT.LOG' "$work/aboot.log" >/dev/null
check "and writes its outcome to the kept log" logged "$work/aboot.log" ' outcome   0 installation complete'
check "the listed file is gone" bash -c '! "$1" tree "$2" "C:\\SETUPTMP" | grep -q GONE.TXT' _ "$kitvm" "$t"
check "the kept mode is removed" bash -c '! "$1" regedit "$2" "HKEY_LOCAL_MACHINE\\SOFTWARE\\KOBBELINUNATTENDED" >/dev/null 2>&1' _ "$kitvm" "$t"

# A damaged archive: the files part of setup.exe overwritten in its middle.
cp "$work/setup.exe" "$work/bad.exe"
size=$(stat -c %s "$work/bad.exe")
printf '%*s' 4096 '' | tr ' ' 'X' | dd of="$work/bad.exe" bs=1 seek=$((size - 300000)) conv=notrunc status=none
"$kitvm" create "$work/bad" >/dev/null
"$kitvm" put "$work/bad" "$work/bad.exe" 'C:\DIST\SETUP.EXE' >/dev/null
"$kitvm" run "$work/bad" 'C:\DIST\SETUP.EXE' /SILENT '/LOG=C:\BAD.LOG' </dev/null; rc=$?
# Host exit statuses keep the low 8 bits: 1603 arrives as 67.
check "a damaged archive exits with 1603" test $rc -eq $((1603 % 256))
"$kitvm" get "$work/bad" 'C:\BAD.LOG' "$work/bad.log" >/dev/null
check "with the failure's message in the log" logged "$work/bad.log" ' outcome   1603 installation failed: '
tail -3 "$work/bad.log"

echo "$failures failures"
[ "$failures" -eq 0 ]
