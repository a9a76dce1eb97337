#!/usr/bin/env bash
# The build of the Tavrix distribution natively, in an emulated machine:
# "*BUILD" wall time and its compression throughput against plain deflate
# (zlib level 9, the engine's level, on the same file bytes, in the same
# run), the installation from setup.exe to the good-install page (setup.exe
# started to Tinst.exe /A, taken from the good-install page), and the sizes
# of the loading program, install and the distribution. The programs are
# those the main job ships: stripped of their symbols. Median of
# KIT_BENCH_RUNS (default 3) runs; lines also go to $KIT_BENCH_DIR/results.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
b=build/native
kitvm=$b/tools/kitvm/kitvm
runs=${KIT_BENCH_RUNS:-3}
work=$(realpath -m "${KIT_BENCH_DIR:-build/bench-build}")
rm -rf "$work"
mkdir -p "$work"
results=$work/results.txt
: >"$results"
say() { echo "$*" | tee -a "$results"; }
now() { date +%s.%N; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
# deflate_s DIR FILE...: median seconds of plain deflate level 9 (Python's
# zlib, the engine's level) on every file under DIR and the files named.
deflate_s() {
  python3 - "$runs" "$@" <<'PY'
import os, sys, time, zlib
files = [os.path.join(d, f) for d, _, fs in os.walk(sys.argv[2]) for f in fs] + sys.argv[3:]
data = [open(f, "rb").read() for f in files]
times = []
for _ in range(int(sys.argv[1])):
    t = time.perf_counter()
    for d in data:
        zlib.compress(d, 9)
    times.append(time.perf_counter() - t)
print("%.3f" % sorted(times)[len(times) // 2])
PY
}

cmake --build "$b" -j "${KIT_JOBS:-2}" --target kitvm install_program uninstall_program load_program tinst_program >/dev/null
p=$work/programs
mkdir -p "$p"
for f in driver/install loader/KobbelinLoadProgram uninstall/uninstall programs/tinst/Tinst; do
  strip -s -o "$p/${f##*/}" "$b/$f"
done
python3 scripts/tavrix_payload.py payload "$work/payload" "$p/Tinst"

machine() {  # a build machine with the payload, the kit and BUILD.INF
  local m=$1
  "$kitvm" create "$m" --version nt4 >/dev/null
  (cd "$work/payload" && find . -type f | sort) | while read -r f; do
    rel=${f#./}
    "$kitvm" put "$m" "$work/payload/$rel" "C:\\TAVWIN\\${rel//\//\\}"
  done
  "$kitvm" put "$m" "$p/uninstall" 'C:\Program Files\Kobbelin32\Version2\uninstall.exe'
  kit_on "$m" "$p/install"
}
# kit_on M INSTALLER: the loading program where the kit's registry value
# says, the installer and BUILD.INF naming C:\DIST.
kit_on() {
  "$kitvm" put "$1" "$p/KobbelinLoadProgram" 'C:\Kobbelin\KobbelinLoadProgram.exe'
  "$kitvm" regset "$1" 'HKLM\Software\Tarn Vell\Kobbelin96' KobbelinDirectory 'C:\Kobbelin'
  "$kitvm" put "$1" "$2" 'C:\KIT\INSTALL.EXE'
  printf 'C:\\DIST\r\n' >"$work/BUILD.INF"
  "$kitvm" put "$1" "$work/BUILD.INF" 'C:\KIT\BUILD.INF'
}

build_times=() setup_bytes=0
for i in $(seq "$runs"); do
  m=$work/build-$i
  machine "$m"
  t0=$(now)
  "$kitvm" run "$m" 'C:\KIT\INSTALL.EXE' '*BUILD' </dev/null >/dev/null 2>&1
  t1=$(now)
  build_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')")
done
dist=$work/build-1/drives/c/DIST
build_s=$(printf '%s\n' "${build_times[@]}" | median)
# The build compresses the payload and the uninstaller into files.1 and
# install into setup.1.
in_bytes=$(( $(du -bs "$work/payload" | cut -f1) + $(stat -c %s "$p/install") + $(stat -c %s "$p/uninstall") ))
zlib_s=$(deflate_s "$work/payload" "$p/install" "$p/uninstall")
say "Tavrix *BUILD, native: $in_bytes bytes in, median ${build_s} s of $runs runs (the whole program run)"
say "plain deflate level 9 (python zlib) on the same bytes: ${zlib_s} s"
say "throughput ratio build/deflate: $(awk -v z="$zlib_s" -v k="$build_s" 'BEGIN { printf "%.2f", z / k }')"

install_times=()
for i in $(seq "$runs"); do
  t=$work/target-$i
  "$kitvm" create "$t" --version nt4 >/dev/null
  "$kitvm" put "$t" "$dist/setup.exe" 'C:\DIST\SETUP.EXE'
  t0=$(now)
  rc=0
  "$kitvm" run "$t" 'C:\DIST\SETUP.EXE' </dev/null >"$work/install-$i.txt" 2>&1 || rc=$?
  t1=$(now)
  # A failed installation's time is no figure.
  [ "$rc" -eq 0 ] || { echo "the installation failed ($rc), see $work/install-$i.txt"; exit 1; }
  install_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')")
done
say "install from setup.exe through the good-install page (Tinst /A), native: median $(printf '%s\n' "${install_times[@]}" | median) s of $runs runs"
say "sizes: loading program $(stat -c %s "$p/KobbelinLoadProgram"), install $(stat -c %s "$p/install"), setup.1 $(stat -c %s "$dist/setup.1"), files.1 $(stat -c %s "$dist/files.1"), setup.exe $(stat -c %s "$dist/setup.exe") bytes"
for preset in win32 win64; do
  if [ -f build/$preset/loader/KobbelinLoadProgram.exe ]; then
    say "sizes ($preset): loading program $(stat -c %s build/$preset/loader/KobbelinLoadProgram.exe), install $(stat -c %s build/$preset/driver/install.exe), Tinst $(stat -c %s build/$preset/programs/tinst/Tinst.exe) bytes"
  fi
done

# A generated product of 10,000 files of 1 KB and 50 of 1 MB
# (scripts/bench_product.py), its installer made by kitsetup from the stock
# install program: *BUILD against plain deflate on the same bytes (the
# payload and the installer setup.1 holds), then setup.exe /VERYSILENT.
n=${KIT_BENCH_FILES:-10000}
cmake --build "$b" -j "${KIT_JOBS:-2}" --target kitsetup >/dev/null
g=$work/generated
mkdir -p "$g/src"
python3 scripts/bench_product.py payload "$n" "$g/src/BENCHSRC"
python3 scripts/bench_product.py form "$n" 'C:\BENCHSRC' "$g/product.dfm"
"$b/tools/kitsetup/kitsetup" "$g/product.dfm" "$p/install" "$g/install.exe" --sources "$g/src" >/dev/null
gen_times=()
for i in $(seq "$runs"); do
  m=$g/build-$i
  "$kitvm" create "$m" --version nt4 >/dev/null
  cp -r "$g/src/BENCHSRC" "$m/drives/c/BENCHSRC"
  kit_on "$m" "$g/install.exe"
  t0=$(now)
  KOBBELIN_SETUP_MODE=verysilent "$kitvm" run "$m" 'C:\KIT\INSTALL.EXE' '*BUILD' </dev/null >/dev/null 2>&1
  t1=$(now)
  gen_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')")
done
gen_s=$(printf '%s\n' "${gen_times[@]}" | median)
gen_zlib=$(deflate_s "$g/src/BENCHSRC" "$g/install.exe")
gen_in=$(( $(du -bs "$g/src/BENCHSRC" | cut -f1) + $(stat -c %s "$g/install.exe") ))
say "generated product ($n + 50 files) *BUILD, native: $gen_in bytes in, median ${gen_s} s of $runs runs (${gen_times[*]})"
say "plain deflate level 9 (python zlib) on the same bytes: ${gen_zlib} s; throughput ratio build/deflate: $(awk -v z="$gen_zlib" -v k="$gen_s" 'BEGIN { printf "%.2f", z / k }')"
gdist=$g/build-1/drives/c/DIST
t=$g/target
"$kitvm" create "$t" --version nt4 >/dev/null
"$kitvm" put "$t" "$gdist/setup.exe" 'C:\DIST\SETUP.EXE'
t0=$(now)
rc=0
KOBBELIN_SETUP_MODE= "$kitvm" run "$t" 'C:\DIST\SETUP.EXE' /VERYSILENT </dev/null >"$g/install.txt" 2>&1 || rc=$?
t1=$(now)
[ "$rc" -eq 0 ] || { echo "the installation of the generated product failed ($rc), see $g/install.txt"; exit 1; }
say "generated product: setup.exe /VERYSILENT to its end, native: $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }') s, $(find "$t/drives/c/KitBench" -type f | wc -l) files; setup.exe $(stat -c %s "$gdist/setup.exe") bytes (setup.1 $(stat -c %s "$gdist/setup.1"), files.1 $(stat -c %s "$gdist/files.1"))"

# Under Wine (KIT_BENCH_WINE=1, the $KIT_WIN_PRESET build): *BUILD of the same
# payload with the Windows programs, then setup.exe /SILENT (pages answered
# unseen, the backdrop and the progress shown) to its end, each in a fresh
# prefix of its own, once.
if [ "${KIT_BENCH_WINE:-0}" = 1 ]; then
  . scripts/wine-env.sh
  trap kit_wine_cleanup EXIT
  wb=build/$KIT_WIN_PRESET
  kit_start_display
  kit_new_prefix
  c=$WINEPREFIX/drive_c
  python3 scripts/tavrix_payload.py payload "$c/TAVWIN" "$wb/programs/tinst/Tinst.exe"
  mkdir -p "$c/Program Files/Kobbelin32/Version2" "$c/Kobbelin" "$c/KIT"
  cp "$wb/uninstall/uninstall.exe" "$c/Program Files/Kobbelin32/Version2/uninstall.exe"
  cp "$wb/loader/KobbelinLoadProgram.exe" "$c/Kobbelin/KobbelinLoadProgram.exe"
  cp "$wb/driver/install.exe" "$c/KIT/INSTALL.EXE"
  cp "$work/BUILD.INF" "$c/KIT/BUILD.INF"
  wine reg add 'HKLM\Software\Tarn Vell\Kobbelin96' /v KobbelinDirectory /d 'C:\Kobbelin' /f >/dev/null 2>&1
  t0=$(now)
  wine 'C:\KIT\INSTALL.EXE' '*BUILD' >/dev/null 2>&1
  wineserver -w
  t1=$(now)
  say "Tavrix *BUILD, Wine ($KIT_WIN_PRESET): $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }') s"
  cp "$c/DIST/setup.exe" "$work/setup-wine.exe"
  # A second prefix: C:\TAVWIN of the build is the product's C:\Tavwin.
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  kit_new_prefix
  c=$WINEPREFIX/drive_c
  mkdir -p "$c/DIST"
  cp "$work/setup-wine.exe" "$c/DIST/setup.exe"
  rc=0
  t0=$(now)
  wine 'C:\DIST\setup.exe' /SILENT '/LOG=C:\SETUP.LOG' >/dev/null 2>&1 || rc=$?
  wineserver -w
  t1=$(now)
  [ "$rc" -eq 0 ] || { echo "the installation under Wine failed ($rc)"; exit 1; }
  say "install from setup.exe /SILENT to its end, Wine ($KIT_WIN_PRESET): $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }') s; $(find "$c/Tavwin" -type f | wc -l) files; setup.exe $(stat -c %s "$c/DIST/setup.exe") bytes"
fi
