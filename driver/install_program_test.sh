#!/usr/bin/env bash
# The install program end to end, on an emulated machine natively
# (install_program_test.sh native INSTALL KITVM) or under Wine
# (install_program_test.sh wine INSTALL.EXE WINDRIVER.EXE, in the prefix and
# display the test run set up). It starts from its stored configuration;
# without its distribution it ends in the bad-install tail naming the archive
# and keeps itself; started with "*ABOOT" it works through the
# unfinished-install list and deletes it (under Wine its good-install page
# is answered).
set -u
mode=$1
install=$2
kitvm=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
no_unfinished() { ! unfinished; }

if [ "$mode" = native ]; then
  m=$work/m
  "$kitvm" create "$m" >/dev/null || { echo "cannot create a machine"; exit 1; }
  "$kitvm" put "$m" "$install" 'C:\SETUPTMP\INSTALL.EXE' >/dev/null
  run() { "$kitvm" run "$m" 'C:\SETUPTMP\INSTALL.EXE' "$@" </dev/null 2>"$work/err"; }
  # Adds values to the machine's registry as regedit would.
  reg_add() { printf '\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\KOBBELININSTALLING]\r\n%s\r\n' "$@" >>"$m/registry.reg"; }
  unfinished() { "$kitvm" regedit "$m" 'HKEY_LOCAL_MACHINE\SOFTWARE\KOBBELININSTALLING' >/dev/null 2>&1; }

  run 'C:\Source' 'Dir'; rc=$?
  # A failure is never reported as success: 1603, of which the host keeps 67.
  check "a run without its distribution ends on the bad-install page with 1603 ($rc)" test $rc -eq $((1603 % 256))
  check "and names the archive it could not open" grep -qF "Could not open the compressed file. The following value is the current value of the CompressedFile property: C:\Source Dir\files.1." "$work/err"
  pending=$("$kitvm" regedit "$m" 'HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager')
  check "a failed installation keeps the installer" bash -c '! grep -q PendingFileRenameOperations <<<"$1"' _ "$pending"

  printf 'x' >"$work/gone.txt"
  "$kitvm" put "$m" "$work/gone.txt" 'C:\SETUPTMP\GONE.TXT' >/dev/null
  reg_add '"C:\\SETUPTMP\\GONE.TXT"="1"' '"Later"="7"'
  check "the list is there before" unfinished
  run '*ABOOT'; rc=$?
  check "*ABOOT exits with 0" test $rc -eq 0
  check "*ABOOT deleted the listed file" bash -c '! "$1" tree "$2" "C:\\SETUPTMP" | grep -q GONE.TXT' _ "$kitvm" "$m"
  check "*ABOOT deleted the list" no_unfinished

  reg_add '"Broken"="x"'
  run '*aboot'; rc=$?
  check "an invalid entry ends the start with 1" test $rc -eq 1
  check "and names the entry" grep -q "There is an invalid entry for the unfinished install list Broken;x" "$work/err"
  check "the list is gone all the same" no_unfinished

  run '*Build'; rc=$?
  check "a failed *BUILD ends the program with 1603 ($rc)" test $rc -eq $((1603 % 256))
  check "*BUILD without BUILD.INF says what it needs" grep -qF "Need to have a BUILD.INF file in this directory with the first line specifying the build directory" "$work/err"

  run; rc=$?
  check "without a source directory the run fails with 1603 ($rc)" test $rc -eq $((1603 % 256))
  check "with the message" grep -q "Cannot read the SourceDirectory. It was not passed from the setup.exe program" "$work/err"
else
  : "${WINEPREFIX:?the Wine prefix of the test run}"
  dir=$WINEPREFIX/drive_c/kittest/e2e$$
  mkdir -p "$dir"
  cp "$install" "$dir/install.exe"
  win="C:\\kittest\\e2e$$"
  run() { timeout 120 wine "$win\\install.exe" "$@" </dev/null >/dev/null 2>&1; }
  unfinished() { wine reg query 'HKLM\SOFTWARE\KOBBELININSTALLING' >/dev/null 2>&1; }

  printf 'x' >"$dir/gone.txt"
  wine reg add 'HKLM\SOFTWARE\KOBBELININSTALLING' /v "$win\\gone.txt" /d 1 /f >/dev/null 2>&1
  wine reg add 'HKLM\SOFTWARE\KOBBELININSTALLING' /v Later /d 7 /f >/dev/null 2>&1
  check "the list is there before" unfinished
  # The good-install page of the completion is answered as a person would.
  # The installer runs in code page 1252 (LANG=C), where its caption's 0xFD
  # reads as U+00FD; the driver gets that letter in UTF-8 on its command line.
  windriver=$3
  good_page="Install Tamamland$(printf '\xc3\xbd')"
  LC_ALL=C LANG=C run '*ABOOT' &
  pid=$!
  LC_ALL=C.UTF-8 LANG=C.UTF-8 wine "$windriver" wait "$good_page" 60000 >/dev/null 2>&1; page=$?
  check "*ABOOT shows the good-install page" test $page -eq 0
  # Under LANG=C the user's language is English: the translator has made
  # "Devam" (GLID 72) into "Finish".
  LC_ALL=C.UTF-8 LANG=C.UTF-8 wine "$windriver" press "$good_page" Finish >/dev/null 2>&1
  wait $pid; rc=$?
  check "*ABOOT exits with 0" test $rc -eq 0
  check "*ABOOT deleted the listed file" test ! -e "$dir/gone.txt"
  check "*ABOOT deleted the list" no_unfinished

  rm -rf "$dir"
fi

echo "$failures failure(s)"
test "$failures" -eq 0
