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
echo "$out" | grep -q "random.bin" || fail "verify did not name the member: $out"
echo "kitarc tests passed"
