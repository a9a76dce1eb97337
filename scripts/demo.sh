#!/usr/bin/env bash
# The main job: builds the native programs, builds the Tavrix distribution
# with "*BUILD" in one emulated Windows machine, installs it from the
# self-extracting setup.exe into a fresh second machine, and shows what the
# installation left there (files, registry, the calls the programs made);
# then removes it again with the uninstaller it installed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "${KIT_JOBS:-2}" \
  --target kitvm install_program uninstall_program load_program

b=build/native
kitvm=$b/tools/kitvm/kitvm
work=${KIT_DEMO_DIR:-build/demo}
builder=$work/build-machine
target=$work/target-machine
rm -rf "$work"
mkdir -p "$work"

echo "== the build machine: payload in C:\\TAVWIN, the kit in C:\\Kobbelin"
"$kitvm" create "$builder" --version "${KIT_DEMO_VERSION:-nt4}"
python3 scripts/tavrix_payload.py payload "$work/payload"
(cd "$work/payload" && find . -type f | sort) | while read -r f; do
  rel=${f#./}
  "$kitvm" put "$builder" "$work/payload/$rel" "C:\\TAVWIN\\${rel//\//\\}"
done
"$kitvm" put "$builder" "$b/uninstall/uninstall" 'C:\Program Files\Kobbelin32\Version2\uninstall.exe'
"$kitvm" put "$builder" "$b/loader/KobbelinLoadProgram" 'C:\Kobbelin\KobbelinLoadProgram.exe'
"$kitvm" regset "$builder" 'HKLM\Software\Tarn Vell\Kobbelin96' KobbelinDirectory 'C:\Kobbelin'
"$kitvm" put "$builder" "$b/driver/install" 'C:\KIT\INSTALL.EXE'
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
# The wizard's pages are printed on stderr; without a terminal each wizard
# takes its default answer and the installation goes on.
"$kitvm" run "$target" 'C:\DIST\SETUP.EXE' </dev/null || rc=$?
echo "setup exited with $rc"

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
exit "$rc"
