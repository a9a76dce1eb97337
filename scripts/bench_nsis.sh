#!/usr/bin/env bash
# The kit's self-extracting setup.exe against an NSIS installer of the same
# files, in the same run: a product of N files of 1 KB plus 50 files of 1 MB
# (N = 1,000 and 10,000; KIT_BENCH_COUNTS changes it), built by the kit's
# *BUILD and by makensis (SetCompressor zlib), installed silently under Wine
# on a fresh prefix each (setup.exe /VERYSILENT, the NSIS installer /S),
# KIT_BENCH_RUNS times in turn (default 3), and natively by the kit in an
# emulated machine. An installation's time runs from the start of the
# program to its end (Wine's own server lingers after that, the same for
# both, and is not counted). Prints the medians, their ratio and the sizes of both installers and their stubs; the lines also go to
# $KIT_BENCH_DIR/results.txt (default build/bench-nsis).
#
# Under Wine the kit's program is that of $KIT_WIN_PRESET (win64 where no
# 32-bit code runs, see scripts/wine-env.sh) and the NSIS installer has the
# matching stub (Target amd64-unicode, or x86-unicode).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

command -v makensis >/dev/null || apt-get install -y nsis >/dev/null
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
counts=${KIT_BENCH_COUNTS:-1000 10000}
runs=${KIT_BENCH_RUNS:-3}
work=$(realpath -m "${KIT_BENCH_DIR:-build/bench-nsis}")
rm -rf "$work"
mkdir -p "$work"
results=$work/results.txt
: >"$results"
say() { echo "$*" | tee -a "$results"; }

. scripts/wine-env.sh
trap kit_wine_cleanup EXIT
preset=$KIT_WIN_PRESET
if [ "$preset" = win64 ]; then nsis_target=amd64-unicode; else nsis_target=x86-unicode; fi
nsis_stub=/usr/share/nsis/Stubs/zlib-$nsis_target

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : sprintf("%.2f", (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
size() { stat -c %s "$1"; }
winpath() { echo "Z:${1//\//\\}"; }

payload() { python3 scripts/bench_product.py payload "$1" "$2"; }
form() { python3 scripts/bench_product.py form "$1" "$2" "$3"; }

# installer PRESET FORM SOURCES OUT: the preset's stock install program with
# the product's form appended by kitsetup, as a product maker makes it.
installer() {
  local stock=build/$1/driver/install.exe
  cmake --build "build/$1" -j "${KIT_JOBS:-2}" --target install_program load_program >/dev/null
  if [ "$1" = native ]; then  # as shipped: without its symbols
    stock=$work/install-native
    strip -s -o "$stock" build/native/driver/install
  fi
  build/native/tools/kitsetup/kitsetup "$2" "$stock" "$4" --sources "$3" >/dev/null
}

cmake --preset native >/dev/null
cmake --build build/native -j "${KIT_JOBS:-2}" --target kitsetup kitvm >/dev/null
cmake --preset "$preset" >/dev/null
native_build=${KIT_BENCH_NATIVE:-1}
kitvm=build/native/tools/kitvm/kitvm
for n in $counts; do
  say "== $n files of 1 KB + 50 files of 1 MB"
  src=$work/payload-$n
  payload "$n" "$src"
  say "payload: $(du -sb "$src" | cut -f1) bytes in $(find "$src" -type f | wc -l) files"

  # ---- under Wine, a fresh prefix: the kit, then NSIS
  form "$n" "$(winpath "$src")" "$work/form-wine.dfm"
  kit=$work/wine-$n/kit dist=$work/wine-$n/dist
  mkdir -p "$kit" "$dist"
  installer "$preset" "$work/form-wine.dfm" / "$kit/INSTALL.EXE"
  cp "build/$preset/loader/KobbelinLoadProgram.exe" "$kit/"
  printf '%s\r\n' "$(winpath "$dist")" >"$kit/BUILD.INF"
  kit_start_display
  kit_new_prefix
  wine reg add 'HKLM\Software\Tarn Vell\Kobbelin96' /v KobbelinDirectory /d "$(winpath "$kit")" /f >/dev/null 2>&1
  wineserver -w
  # The build in the unattended mode too: a failure is logged, not shown.
  t0=$(now)
  KOBBELIN_SETUP_MODE=verysilent KOBBELIN_SETUP_LOG="$(winpath "$work/wine-$n/build.log")" \
    wine "$kit/INSTALL.EXE" '*BUILD' || { say "kit *BUILD failed:"; tail -3 "$work/wine-$n/build.log"; exit 1; }
  wineserver -w
  t1=$(now)
  kit_build=$(elapsed "$t0" "$t1")

  cat >"$work/wine-$n/bench.nsi" <<EOF
Unicode true
Target $nsis_target
SetCompressor zlib
Name "Bench Product"
OutFile "$work/wine-$n/nsis_setup.exe"
InstallDir "C:\\NsisBench"
RequestExecutionLevel admin
Section
  SetOutPath "\$INSTDIR"
  File /r "$src/*"
SectionEnd
EOF
  t0=$(now)
  makensis -V1 "$work/wine-$n/bench.nsi" >/dev/null
  t1=$(now)
  nsis_build=$(elapsed "$t0" "$t1")

  # setup.exe alone: the self-extracting distribution, not setup.1 beside it.
  mkdir -p "$work/wine-$n/selfx"
  cp "$dist/setup.exe" "$work/wine-$n/selfx/"
  # The build's prefix goes; each installation runs in a fresh one.
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  kit_times=() nsis_times=() rc=0
  for run in $(seq "$runs"); do
    kit_new_prefix
    t0=$(now)
    wine "$work/wine-$n/selfx/setup.exe" /VERYSILENT "/LOG=C:\\kit-setup.log" || rc=$?
    t1=$(now)
    wineserver -w
    kit_times+=("$(elapsed "$t0" "$t1")")
    kit_files=$(find "$WINEPREFIX/drive_c/KitBench" -type f 2>/dev/null | wc -l)
    cp "$WINEPREFIX/drive_c/kit-setup.log" "$work/wine-$n/" 2>/dev/null || true
    rm -rf "$WINEPREFIX"

    kit_new_prefix
    t0=$(now)
    wine "$work/wine-$n/nsis_setup.exe" /S || true
    t1=$(now)
    wineserver -w
    nsis_times+=("$(elapsed "$t0" "$t1")")
    nsis_files=$(find "$WINEPREFIX/drive_c/NsisBench" -type f 2>/dev/null | wc -l)
    rm -rf "$WINEPREFIX"
  done
  kit_install=$(median "${kit_times[@]}")
  nsis_install=$(median "${nsis_times[@]}")

  say "wine ($preset): kit setup.exe /VERYSILENT $kit_install s (exit $rc, $kit_files files), NSIS /S $nsis_install s ($nsis_files files), kit/NSIS $(ratio "$kit_install" "$nsis_install"); medians of $runs (kit ${kit_times[*]}, NSIS ${nsis_times[*]})"
  say "build: kit *BUILD $kit_build s, makensis $nsis_build s, kit/NSIS $(ratio "$kit_build" "$nsis_build")"
  say "installers: kit setup.exe $(size "$dist/setup.exe") bytes, NSIS $(size "$work/wine-$n/nsis_setup.exe") bytes"
  say "stubs: kit loader $(size "$kit/KobbelinLoadProgram.exe") + installer $(size "$kit/INSTALL.EXE") bytes, NSIS $(basename "$nsis_stub") $(size "$nsis_stub") bytes"
  say "kit log: $(wc -l <"$work/wine-$n/kit-setup.log" 2>/dev/null || echo 0) lines, $(size "$work/wine-$n/kit-setup.log" 2>/dev/null || echo 0) bytes"

  # ---- natively, in an emulated machine
  [ "$native_build" = 1 ] || continue
  form "$n" 'C:\BENCHSRC' "$work/form-native.dfm"
  m=$work/native-$n/build-machine t=$work/native-$n/target-machine
  mkdir -p "$work/native-$n/src"
  ln -sfn "$src" "$work/native-$n/src/BENCHSRC"
  installer native "$work/form-native.dfm" "$work/native-$n/src" "$work/native-$n/INSTALL.EXE"
  "$kitvm" create "$m" --version nt4 >/dev/null
  cp -r "$src" "$m/drives/c/BENCHSRC"
  "$kitvm" put "$m" "$work/native-$n/INSTALL.EXE" 'C:\KIT\INSTALL.EXE' >/dev/null
  "$kitvm" put "$m" build/native/loader/KobbelinLoadProgram 'C:\Kobbelin\KobbelinLoadProgram.exe' >/dev/null
  "$kitvm" regset "$m" 'HKLM\Software\Tarn Vell\Kobbelin96' KobbelinDirectory 'C:\Kobbelin' >/dev/null
  printf 'C:\\DIST\r\n' >"$work/native-$n/BUILD.INF"
  "$kitvm" put "$m" "$work/native-$n/BUILD.INF" 'C:\KIT\BUILD.INF' >/dev/null
  t0=$(now)
  KOBBELIN_SETUP_MODE=verysilent "$kitvm" run "$m" 'C:\KIT\INSTALL.EXE' '*BUILD' </dev/null
  t1=$(now)
  native_build_s=$(elapsed "$t0" "$t1")
  "$kitvm" get "$m" 'C:\DIST\setup.exe' "$work/native-$n/setup.exe" >/dev/null
  "$kitvm" create "$t" --version nt4 >/dev/null
  "$kitvm" put "$t" "$work/native-$n/setup.exe" 'C:\DIST\SETUP.EXE' >/dev/null
  rc=0
  t0=$(now)
  "$kitvm" run "$t" 'C:\DIST\SETUP.EXE' /VERYSILENT </dev/null || rc=$?
  t1=$(now)
  say "native (emulated machine): kit *BUILD $native_build_s s, setup.exe /VERYSILENT $(elapsed "$t0" "$t1") s (exit $rc, $(find "$t/drives/c/KitBench" -type f | wc -l) files)"
done
say "results in $results"
