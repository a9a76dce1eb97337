#!/bin/bash
# Every folder includes only folders of its own layer or below. Usage:
# layers_test.sh SOURCE_DIR. Fails naming each include that reaches up, and
# each source folder missing from the table.
set -u
src=${1:?source directory}

# The layers, lowest first. A subfolder listed here has its own layer (the
# whole-program tests and benchmarks kept beside the file runs); any other
# subfolder has its top folder's.
layers=(
  "platform"
  "base"
  "ui"
  "translation"
  "archive system"
  "model files"
  "dialogs config driver uninstall loader programs tools files/e2e files/faults files/bench"
)

declare -A rank
for i in "${!layers[@]}"; do
  for f in ${layers[$i]}; do rank[$f]=$i; done
done

folder_of() {  # sets $folder: the table's folder for a path from the source root
  local p=$1 rest=${1#*/}
  local two=${p%%/*}/${rest%%/*}
  if [ "$rest" != "${rest#*/}" ] && [ -n "${rank[$two]+x}" ]; then folder=$two; else folder=${p%%/*}; fi
}

faults=0
cd "$src" || exit 2
for dir in */; do
  dir=${dir%/}
  case $dir in build|build-*|cmake|docs|scripts) continue ;; esac
  if ! find "$dir" -name '*.cpp' -o -name '*.h' -o -name '*.c' | grep -q .; then continue; fi
  if [ -z "${rank[$dir]+x}" ]; then
    echo "folder $dir/ has no place in the layer table"
    faults=$((faults + 1))
  fi
done

while IFS= read -r line; do
  file=${line%%:*}
  [[ $line =~ \#include\ \"([^\"]+)\" ]] || continue
  target=${BASH_REMATCH[1]}
  top=${target%%/*}
  [ -n "${rank[$top]+x}" ] || continue        # gtest, zlib, generated headers
  folder_of "$file"; from=$folder
  [ -n "${rank[$from]+x}" ] || continue
  folder_of "$target"; to=$folder
  if [ "${rank[$to]}" -gt "${rank[$from]}" ]; then
    echo "$file includes $target: $to/ is above $from/"
    faults=$((faults + 1))
  fi
done < <(grep -rnE '^#include "[a-z_0-9]+/' --include='*.cpp' --include='*.h' --include='*.c' \
           --exclude-dir=build . | sed 's#^\./##')

for i in "${!layers[@]}"; do echo "layer $i: ${layers[$i]}"; done
if [ "$faults" -gt 0 ]; then
  echo "$faults include(s) against the layer order"
  exit 1
fi
echo "no folder includes a folder above it"
