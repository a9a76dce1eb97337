#!/usr/bin/env bash
# The main job on the shipped configuration. For now: builds the native tools,
# creates an emulated Windows machine and shows what is in it (its registry
# as a REGEDIT4 file and its files as a tree).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target kitvm -j "${KIT_JOBS:-2}"

kitvm=build/native/tools/kitvm/kitvm
machine=${KIT_DEMO_MACHINE:-build/demo-machine}
rm -rf "$machine"
"$kitvm" create "$machine" --version "${KIT_DEMO_VERSION:-nt4}" --language "${KIT_DEMO_LANGUAGE:-0409}"
echo "== registry of $machine"
"$kitvm" regedit "$machine"
echo "== files of $machine"
"$kitvm" tree "$machine"
