#!/usr/bin/env bash
# The main job: builds the native programs, builds the Tavrix distribution
# with "*BUILD" in one emulated Windows machine, installs it from the
# self-extracting setup.exe into a fresh second machine, and shows what the
# installation left there (files, registry, the calls the programs made);
# then removes it again with the uninstaller it installed. Then the same
# distribution goes onto floppies with "*TODISK" and is installed from them,
# a scripted user changing the disks when asked (scripts/disk_user.py).
#
# With --wine (or KIT_DEMO_WINE=1) the same job runs under Wine with the
# Win32 programs instead, the wizard's real windows driven as a person
# would: scripts/demo_wine.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --wine ]; then KIT_DEMO_WINE=1; shift; fi
if [ $# -gt 0 ]; then
  echo "usage: demo.sh [--wine]" >&2
  exit 2
fi

bash scripts/install-deps.sh
if [ "${KIT_DEMO_WINE:-0}" = 1 ]; then exec bash scripts/demo_wine.sh; fi
cmake --preset native >/dev/null
cmake --build --preset native -j "${KIT_JOBS:-2}" \
  --target kitvm install_program uninstall_program load_program tinst_program

b=build/native
kitvm=$b/tools/kitvm/kitvm
work=${KIT_DEMO_DIR:-build/demo}
builder=$work/build-machine
target=$work/target-machine
rm -rf "$work"
mkdir -p "$work"

# The programs as shipped: without their symbols.
shipped=$work/programs
mkdir -p "$shipped"
for p in driver/install loader/KobbelinLoadProgram uninstall/uninstall programs/tinst/Tinst; do
  strip -s -o "$shipped/${p##*/}" "$b/$p"
done

echo "== the build machine: payload in C:\\TAVWIN, the kit in C:\\Kobbelin"
"$kitvm" create "$builder" --version "${KIT_DEMO_VERSION:-nt4}"
# Tinst.exe is the product's own helper program, started with /A at the end.
python3 scripts/tavrix_payload.py payload "$work/payload" "$shipped/Tinst"
(cd "$work/payload" && find . -type f | sort) | while read -r f; do
  rel=${f#./}
  "$kitvm" put "$builder" "$work/payload/$rel" "C:\\TAVWIN\\${rel//\//\\}"
done
"$kitvm" put "$builder" "$shipped/uninstall" 'C:\Program Files\Kobbelin32\Version2\uninstall.exe'
"$kitvm" put "$builder" "$shipped/KobbelinLoadProgram" 'C:\Kobbelin\KobbelinLoadProgram.exe'
"$kitvm" regset "$builder" 'HKLM\Software\Tarn Vell\Kobbelin96' KobbelinDirectory 'C:\Kobbelin'
"$kitvm" put "$builder" "$shipped/install" 'C:\KIT\INSTALL.EXE'
printf 'C:\\DIST\r\n' >"$work/BUILD.INF"
"$kitvm" put "$builder" "$work/BUILD.INF" 'C:\KIT\BUILD.INF'

echo "== *BUILD"
"$kitvm" run "$builder" 'C:\KIT\INSTALL.EXE' '*BUILD' </dev/null
"$kitvm" tree "$builder" 'C:\DIST'
"$kitvm" get "$builder" 'C:\DIST\setup.exe' "$work/setup.exe"

echo "== install from setup.exe into a fresh machine"
"$kitvm" create "$target" --version "${KIT_DEMO_VERSION:-nt4}" --language "${KIT_DEMO_LANGUAGE:-0409}"
"$kitvm" put "$target" "$work/setup.exe" 'C:\DIST\SETUP.EXE'
rc=0
# The wizard's pages are printed; a scripted user takes each page's default
# button, Finish on the good-install page starting Tinst.exe /A.
python3 scripts/disk_user.py "$target" "$work/no-floppies" -- "$kitvm" run "$target" 'C:\DIST\SETUP.EXE' || rc=$?
echo "setup exited with $rc"

echo "== the product's helper, started by the good-install page"
"$kitvm" journal "$target" | grep -i 'tinst' || true

echo "== files installed"
"$kitvm" tree "$target" 'c:\Tavwin' || true
echo "== installation log"
"$kitvm" regedit "$target" 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall' || true
echo "== calls the programs made"
"$kitvm" journal "$target"

echo "== remove it with the uninstaller the installation put in place"
"$kitvm" run "$target" 'c:\Tavwin\uninstall.exe' Tavrix for Windows </dev/null || rc=$?
"$kitvm" restart "$target"
echo "files left:"
"$kitvm" tree "$target" 'c:\Tavwin' || true
"$kitvm" regedit "$target" 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall' || true

echo "== *TODISK: the distribution onto 1.68 MB (DMF) floppies in drive A: of the build machine"
"$kitvm" put "$builder" "$work/setup.exe" 'C:\DIST\SETUP.EXE'
floppies=$work/floppies
# Disk 1 holds the loading program and setup.1 (the install program): 1.6 MB
# natively, more than a 1.44 MB disk holds, so the demo's drives A: take
# DMF-formatted disks of 1,720,320 bytes, as distribution disks were.
sed -i 's/^A=.*/A=1720320/' "$builder/machine.ini"
mkdir -p "$builder/drives/a"  # an empty disk in the drive
python3 scripts/disk_user.py "$builder" "$floppies" -- \
  "$kitvm" run "$builder" 'C:\KIT\INSTALL.EXE' '*TODISK' SETUP.EXE 'C:\DIST' || rc=$?
mv "$builder/drives/a" "$floppies/disk1"
for d in "$floppies"/disk*; do
  echo "-- ${d##*/}"
  (cd "$d" && ls -l | awk 'NR > 1 { print "  " $5 "  " $9 }')
done

echo "== install from the floppies into a fresh machine"
target2=$work/target-machine-2
"$kitvm" create "$target2" --version "${KIT_DEMO_VERSION:-nt4}" --language "${KIT_DEMO_LANGUAGE:-0409}"
sed -i 's/^A=.*/A=1720320/' "$target2/machine.ini"
mv "$floppies/disk1" "$target2/drives/a"
python3 scripts/disk_user.py "$target2" "$floppies" -- "$kitvm" run "$target2" 'A:\SETUP.EXE' || rc=$?
echo "setup exited with $rc"
"$kitvm" journal "$target2" | grep -i 'tinst' || true
echo "files installed:"
"$kitvm" tree "$target2" 'c:\Tavwin' | tail -n 4
"$kitvm" run "$target2" 'c:\Tavwin\uninstall.exe' Tavrix for Windows </dev/null || rc=$?
"$kitvm" restart "$target2"
echo "files left:"
"$kitvm" tree "$target2" 'c:\Tavwin' || true
"$kitvm" regedit "$target2" 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall' || true
exit "$rc"
