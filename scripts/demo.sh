#!/usr/bin/env bash
# The main job on the shipped configuration: builds the native programs,
# creates an emulated Windows machine, puts the installer on its floppy as
# the loading program would find it, runs the installation of the shipped
# configuration (config/main_form.dfm) inside the machine, and shows what it
# left: the installer's messages, the calls it made, the registry and the files.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target kitvm install_program -j "${KIT_JOBS:-2}"

kitvm=build/native/tools/kitvm/kitvm
install=build/native/driver/install
machine=${KIT_DEMO_MACHINE:-build/demo-machine}
rm -rf "$machine"
"$kitvm" create "$machine" --version "${KIT_DEMO_VERSION:-nt4}" --language "${KIT_DEMO_LANGUAGE:-0409}"
"$kitvm" put "$machine" "$install" 'C:\SETUPTMP\INSTALL.EXE' >/dev/null

echo "== install (source directory A:)"
rc=0
"$kitvm" run "$machine" 'C:\SETUPTMP\INSTALL.EXE' 'A:' </dev/null || rc=$?
echo "install exited with $rc"
echo "== calls the installer made"
"$kitvm" journal "$machine"
echo "== registry of $machine"
"$kitvm" regedit "$machine"
echo "== files of $machine"
"$kitvm" tree "$machine"
exit "$rc"
