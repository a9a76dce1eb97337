#!/usr/bin/env bash
# Archives cross the targets: what kitarc.exe (under Wine) writes, the native
# kitarc reads, and the reverse; both write the same bytes for the same files.
# Usage: kitarc_cross_test.sh NATIVE_KITARC WIN32_KITARC
set -euo pipefail
native=$1
win=$2
[ -x "$native" ] || { echo "native kitarc not built: $native" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

head -c 200000 /dev/urandom > random.bin
seq 30000 > numbers.txt
touch -d '2003-04-05 06:07:08' random.bin numbers.txt

wine "$win" add w.kbl --level default numbers.txt random.bin > /dev/null
"$native" add n.kbl --level default numbers.txt random.bin > /dev/null
cmp w.kbl n.kbl || fail "the targets wrote different archives"

mkdir from_w from_n
"$native" verify w.kbl > /dev/null || fail "native verify of the win32 archive"
"$native" extract w.kbl from_w > /dev/null
wine "$win" extract n.kbl from_n > /dev/null
for f in numbers.txt random.bin; do
  cmp "$f" "from_w/$f" || fail "native extract of $f"
  cmp "$f" "from_n/$f" || fail "win32 extract of $f"
done
[ "$(wine "$win" list n.kbl | tr -d '\r')" = "$("$native" list w.kbl)" ] || fail "listings differ"
echo "kitarc cross-target tests passed"
