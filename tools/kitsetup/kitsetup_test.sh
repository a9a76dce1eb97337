#!/usr/bin/env bash
# kitsetup end to end: a product's own form checked and appended to a stock
# install program, the made installer started with it; bad forms and a
# damaged appended form refused.
#   kitsetup_test.sh native KITSETUP INSTALL KITVM
#   kitsetup_test.sh wine KITSETUP.EXE INSTALL.EXE   (in the prefix the test run set up)
set -u
mode=$1
kitsetup=$2
install=$3
kitvm=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
if [ "$mode" = wine ]; then run_tool() { wine "$kitsetup" "$@"; }; else run_tool() { "$kitsetup" "$@"; }; fi

# The product's form: the shipped one with its own archive name and product.
form=$work/quillon.dfm
sed -e "s/ArchiveFile = '\\\\files.1'/ArchiveFile = '\\\\quillon.1'/" \
    -e "s/Information.ProductName = 'Tavrix for Windows'/Information.ProductName = 'Quillon Notes'/" \
    "$here/../../config/main_form.dfm" >"$form"
grep -q "quillon.1" "$form" || { echo "cannot make the test form"; exit 1; }

run_tool "$form" "$install" "$work/setup-install.exe" --sources "$work/src" 2>"$work/err"; rc=$?
check "missing source files are refused" test $rc -eq 1
check "naming the component and the file" grep -qF "component 'InstallFile1': source file 'C:\\TAVWIN\\Tavrix.exe' not found" "$work/err"
check "and the uninstaller's" grep -qF "component 'UninstallEXE2': source file 'C:\\Program Files\\Kobbelin32\\Version2\\uninstall.exe' not found" "$work/err"
check "nothing written" test ! -e "$work/setup-install.exe"

# Every source file, in letter cases other than the form's.
awk -F"'" '/IncludeFromDir = /{d=$2} /^    FileName = /{f=$2} /^  end/{if (f != "") print d "\\" f; d=""; f=""}' "$form" |
  while IFS= read -r p; do
    rel=${p#C:\\}; rel=${rel//\\//}
    mkdir -p "$work/src/$(dirname "$rel" | tr '[:upper:]' '[:lower:]')"
    printf 'x' >"$work/src/$(dirname "$rel" | tr '[:upper:]' '[:lower:]')/$(basename "$rel")"
  done

# A bad form: every fault named with its component and property.
sed -e "0,/    Order = 2/s//    Order = 2\n    Colour = 5/" \
    -e "s/object FileGroup3: TInstallFileGroup/object FileGroup3: TInstalFileGroup/" \
    -e "0,/DestDirType = ddContainerDestDir/s//DestDirType = ddSomewhere/" "$form" >"$work/bad.dfm"
run_tool "$work/bad.dfm" "$install" "$work/bad.exe" --sources "$work/src" 2>"$work/err"; rc=$?
check "a bad form is refused" test $rc -eq 1
check "an unknown property is named" grep -qF "component 'InstallFile3' (TInstallFile): unknown property 'Colour'" "$work/err"
check "an unknown class is named" grep -qF "component 'FileGroup3': unknown class 'TInstalFileGroup'" "$work/err"
check "a bad enumeration value is named" grep -qF "component 'InstallFile1': 'ddSomewhere' is not valid for property 'DestDirType'" "$work/err"
check "no output for a bad form" test ! -e "$work/bad.exe"

run_tool "$form" "$install" "$work/setup-install.exe" --sources "$work/src" >"$work/out" 2>"$work/err"; rc=$?
check "a good form makes the installer" test $rc -eq 0
check "with every install file checked" grep -qF "(109 install files checked)" "$work/out"
size_program=$(stat -c %s "$install"); size_made=$(stat -c %s "$work/setup-install.exe")
check "the installer is the program with the form behind it" test "$size_made" -gt "$size_program"
check "ending with the trailer's magic" test "$(tail -c 8 "$work/setup-install.exe")" = KITFORM1
run_tool "$form" "$work/setup-install.exe" "$work/again.exe" --sources "$work/src" >/dev/null 2>&1
check "made again from a made installer, the old form makes way" cmp -s "$work/setup-install.exe" "$work/again.exe"

# The same installer with one byte of its form changed.
cp "$work/setup-install.exe" "$work/damaged.exe"
printf 'Z' | dd of="$work/damaged.exe" bs=1 seek=$((size_made - 200)) conv=notrunc status=none

if [ "$mode" = native ]; then
  m=$work/m
  "$kitvm" create "$m" >/dev/null || { echo "cannot create a machine"; exit 1; }
  "$kitvm" put "$m" "$work/setup-install.exe" 'C:\SETUPTMP\INSTALL.EXE' >/dev/null
  "$kitvm" run "$m" 'C:\SETUPTMP\INSTALL.EXE' 'C:\Source' 'Dir' </dev/null 2>"$work/err"
  check "the made installer runs with the product's form" grep -qF 'C:\Source Dir\quillon.1' "$work/err"
  "$kitvm" put "$m" "$work/damaged.exe" 'C:\SETUPTMP\INSTALL.EXE' >/dev/null
  "$kitvm" run "$m" 'C:\SETUPTMP\INSTALL.EXE' 'C:\Source' 'Dir' </dev/null 2>"$work/err"; rc=$?
  check "a damaged appended form ends the program" test $rc -ne 0
  check "saying so" grep -qF 'The main form appended to C:\SETUPTMP\INSTALL.EXE is damaged: its checksum does not match' "$work/err"
  check "without falling back to the compiled-in form" bash -c '! grep -q "files.1" "$1"' _ "$work/err"
else
  : "${WINEPREFIX:?the Wine prefix of the test run}"
  dir=$WINEPREFIX/drive_c/kittest/kitsetup$$
  mkdir -p "$dir"
  cp "$work/setup-install.exe" "$dir/install.exe"
  KOBBELIN_SETUP_MODE=verysilent KOBBELIN_SETUP_LOG="C:\\kittest\\kitsetup$$\\setup.log" \
    timeout 120 wine "C:\\kittest\\kitsetup$$\\install.exe" 'C:\Source Dir' </dev/null >/dev/null 2>&1
  check "the made installer runs with the product's form under Wine" grep -qF 'quillon.1' "$dir/setup.log"
  rm -rf "$dir"
fi

echo "$failures failure(s)"
test "$failures" -eq 0
