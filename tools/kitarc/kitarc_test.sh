#!/usr/bin/env bash
# kitarc end to end: add, list, extract, verify, split, and a corrupted member.
# Usage: kitarc_test.sh KITARC [RUNNER]   (RUNNER: e.g. wine for kitarc.exe)
set -euo pipefail
kitarc=$1
runner=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
run() { $runner "$kitarc" "$@" | tr -d '\r'; }
fail() { echo "FAIL: $*" >&2; exit 1; }

head -c 300000 /dev/urandom > random.bin
seq 20000 | sed 's/.*/a line of text that compresses well/' > text.txt
printf '' > empty.dat
touch -d '2001-02-03 04:05:06' text.txt

run add files.kbl --level max text.txt random.bin empty.dat > /dev/null
list=$(run list files.kbl)
[ "$(echo "$list" | wc -l)" = 3 ] || fail "list: $list"
echo "$list" | grep -q "^text.txt	$(stat -c %s text.txt)	" || fail "text.txt size: $list"
echo "$list" | grep -q "2001-02-03 04:05:06" || fail "date: $list"

mkdir out
run extract files.kbl out > /dev/null
for f in text.txt random.bin empty.dat; do cmp "$f" "out/$f" || fail "extract $f"; done
[ "$(stat -c %Y out/text.txt)" = "$(stat -c %Y text.txt)" ] || fail "extracted date"

run verify files.kbl | grep -q "3 member(s) verified" || fail verify

# Any job count writes the same bytes (files.kbl: one job per processor).
run add one.kbl --jobs 1 --level max text.txt random.bin empty.dat > /dev/null
run add three.kbl --jobs 3 --level max text.txt random.bin empty.dat > /dev/null
cmp one.kbl three.kbl || fail "--jobs 3 differs from --jobs 1"
cmp one.kbl files.kbl || fail "the default job count differs from --jobs 1"
set +e
$runner "$kitarc" add zero.kbl --jobs 0 text.txt > /dev/null 2>&1; rc=$?
set -e
[ $rc = 2 ] || fail "--jobs 0: exit $rc"

# Only-add keeps the old members; one member can be extracted by name.
printf 'late' > late.txt
run add files.kbl --only-add late.txt > /dev/null
[ "$(run list files.kbl | wc -l)" = 4 ] || fail "only-add"
mkdir one
run extract files.kbl one late.txt > /dev/null
[ "$(ls one)" = late.txt ] || fail "extract one member"

# A volume set of 100 KB volumes extracts to the same bytes.
run split files.kbl vols --volume-size 100000 > /dev/null
[ -f vols/files.1 ] && [ -f vols/files.4 ] || fail "split volumes: $(ls vols)"
mkdir fromvols
run extract vols/files.1 fromvols random.bin > /dev/null
cmp random.bin fromvols/random.bin || fail "extract from volume set"

# A corrupted member fails verification and is named.
cp files.kbl bad.kbl
size=$(stat -c %s bad.kbl)
printf '\xff\xff\xff\xff\xff\xff\xff\xff' | dd of=bad.kbl bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
if out=$($runner "$kitarc" verify bad.kbl 2>&1); then fail "corrupt archive verified"; fi
echo "$out" | grep -q "member random.bin: The compressed data of random.bin in .*bad.kbl is damaged: ..." ||
  fail "verify did not name the member and the fault: $out"
if [ -n "$runner" ]; then sep=/; else sep='\\'; fi
if echo "$out" | grep -q "$sep"; then fail "mixed path separators: $out"; fi

# A failed add that recreates an archive leaves the old one byte for byte.
cp files.kbl before.kbl
if $runner "$kitarc" add files.kbl text.txt missing.txt > /dev/null 2>&1; then fail "add of a missing file succeeded"; fi
cmp before.kbl files.kbl || fail "failed add changed the archive"
[ -z "$(ls | grep -i '\.tmp$' || true)" ] || fail "failed add left a temporary file: $(ls)"

# The archive may be neither a source nor an extracted member's destination.
printf 'precious' > s.txt
if $runner "$kitarc" add s.txt s.txt > /dev/null 2>&1; then fail "archive path as source accepted"; fi
[ "$(cat s.txt)" = precious ] || fail "add destroyed its source"
mkdir self
cp s.txt self.kbl
run add self/self.kbl self.kbl > /dev/null
cp self/self.kbl self-before.kbl
if out=$($runner "$kitarc" extract self/self.kbl self 2>&1); then fail "extract over its own archive"; fi
echo "$out" | grep -q "would overwrite the archive being read" || fail "overwrite message: $out"
cmp self-before.kbl self/self.kbl || fail "extract overwrote its archive"

# Bytes after the last member: verify reports them, only-add places the
# next member where the structure ends.
cp before.kbl tail.kbl
printf 'leftover bytes' >> tail.kbl
if out=$($runner "$kitarc" verify tail.kbl 2>&1); then fail "trailing bytes verified"; fi
echo "$out" | grep -q "14 byte(s) after the last member" || fail "trailing message: $out"
run add tail.kbl --only-add s.txt > /dev/null
[ "$(run list tail.kbl | wc -l)" = 5 ] || fail "only-add after trailing bytes: $(run list tail.kbl)"
run verify tail.kbl | grep -q "5 member(s) verified" || fail "only-add after trailing bytes did not verify"
run add tail.kbl --only-add empty.dat > /dev/null
[ "$(run list tail.kbl | wc -l)" = 6 ] || fail "second only-add"

# Options: a missing value is a usage error, not a file name; failures
# make no target folder and print no blank line first.
set +e
$runner "$kitarc" add opt.kbl s.txt --level > /dev/null 2>&1; rc=$?
set -e
[ $rc = 2 ] || fail "--level without a value: exit $rc"
[ ! -e opt.kbl ] || fail "--level without a value made an archive"
if out=$($runner "$kitarc" extract nothere.kbl newdir 2>&1); then fail "extract of a missing archive"; fi
[ ! -e newdir ] || fail "extract made a folder for a missing archive"
[ "$(echo "$out" | head -c 7)" = "kitarc:" ] || fail "error output begins with: $out"
if $runner "$kitarc" extract files.kbl newdir no-such-member > /dev/null 2>&1; then fail "missing member extracted"; fi
[ ! -e newdir ] || fail "extract made a folder for a missing member"
if out=$($runner "$kitarc" extract files.kbl s.txt 2>&1); then fail "extract into a file"; fi
echo "$out" | grep -q "s.txt is not a directory" || fail "not-a-directory message: $out"
for c in "extract files.kbl s.txt/sub" "split files.kbl s.txt/sub --volume-size 10000" "add s.txt/sub/a.kbl late.txt"; do
  if out=$($runner "$kitarc" $c 2>&1); then fail "$c succeeded"; fi
  echo "$out" | grep -q "Cannot create the folder s.txt.sub: s.txt is not a folder" || fail "$c: $out"
done

# Links planted by another user under the kit's temporary names are never followed.
if [ -z "$runner" ] && [ "$(id -u)" = 0 ] && command -v setpriv > /dev/null; then
  mkdir -m 1777 shared
  mkdir -m 700 victim
  chmod 755 "$work"
  plant() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/python3 -c '
import os, sys
for n in range(0x10000):
    os.symlink(sys.argv[2] + "/planted%X" % n, sys.argv[1] + "/lzh%X.TMP" % n)
' "$1" "$work/victim"
  }
  plant shared
  # Adding needs no temporary file.
  TMPDIR=$work/shared "$kitarc" add linked.kbl s.txt > /dev/null 2>&1 || fail "add beside planted links"
  [ -z "$(ls victim)" ] || fail "add followed a planted link: $(ls victim | head -3)"
  mkdir -m 1777 target
  plant target
  setpriv --reuid=nobody --regid=nogroup --clear-groups ln -s "$work/victim/planted" target/s.txt
  if "$kitarc" extract tail.kbl target s.txt > /dev/null 2>&1; then :; fi
  [ -z "$(ls victim)" ] || fail "extract followed a planted link: $(ls victim | head -3)"
fi
# Temporary files of the kit's naming left by killed runs go on the next
# run; one still held by a running kit, a recent one and other names stay.
if [ -z "$runner" ]; then
  mkdir stale && cd stale
  touch -d '2 hours ago' lzh12.TMP lzh3C4.TMP lzhXY.TMP other.TMP
  touch lzhAB.TMP
  ln -s /nonexistent lzh7.TMP
  flock lzh3C4.TMP sleep 20 & holder=$!
  sleep 0.3
  "$kitarc" add new.kbl ../s.txt > /dev/null
  kill $holder
  [ "$(ls | tr '\n' ' ')" = "lzh3C4.TMP lzh7.TMP lzhAB.TMP lzhXY.TMP new.kbl other.TMP " ] || fail "stale temporaries: $(ls)"
  cd ..
fi
echo "kitarc tests passed"
