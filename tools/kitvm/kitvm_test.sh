#!/usr/bin/env bash
# kitvm end to end: create a machine, run a native program inside it, look
# at the registry, files and journal it leaves, and check the errors.
set -u
kitvm=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
m=$work/m
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# Usage errors and a missing machine exit with 2 and say why.
"$kitvm" >/dev/null 2>&1; check "no command exits 2" test $? -eq 2
"$kitvm" frobnicate "$m" >/dev/null 2>&1; check "unknown command exits 2" test $? -eq 2
out=$("$kitvm" tree "$work/none" 2>&1); rc=$?
check "missing machine exits 2" test $rc -eq 2
check "missing machine is named" grep -q "no machine at $work/none" <<<"$out"
"$kitvm" create "$m" --version 31 >/dev/null 2>&1; check "unknown version exits 2" test $? -eq 2

check "create a Windows 95 machine" "$kitvm" create "$m" --version 95 --language 041F --codepage 1254
check "machine.ini has the code pages" grep -q "OemCodePage=857" "$m/machine.ini"
"$kitvm" create "$m" >/dev/null 2>&1; check "creating over a machine fails" test $? -ne 0

check "put the probe" "$kitvm" put "$m" "$probe" 'C:\Tavwin\Bin\PROBE.EXE'
out=$("$kitvm" run "$m" 'c:\TAVWIN\bin\probe.exe' "two words" 7); rc=$?
check "exit code passes through" test $rc -eq 7
check "the program knows its own path" grep -qx 'exe=C:\\Tavwin\\Bin\\PROBE.EXE' <<<"$out"
check "arguments arrive unsplit" grep -qx 'arg=two words' <<<"$out"
check "current directory is the program's" grep -qx 'cwd=C:\\Tavwin\\Bin' <<<"$out"

out=$("$kitvm" regedit "$m" 'HKEY_LOCAL_MACHINE\SOFTWARE\Probe')
check "regedit prints REGEDIT4" grep -qx $'REGEDIT4\r' <<<"$out"
check "regedit escapes the value" grep -qF '"Ran"="yes \"quoted\" C:\\path"' <<<"$out"
"$kitvm" regedit "$m" 'HKEY_LOCAL_MACHINE\SOFTWARE\Nothing' >/dev/null 2>&1
check "regedit of a missing key fails" test $? -ne 0

# Closing compacted the registry: registry.reg itself holds the probe's value.
check "registry.reg is up to date after the run" grep -qF '"Ran"="yes \"quoted\" C:\\path"' "$m/registry.reg"
# A journal record cut short (as by a crash) is left out with a warning.
cp -r "$m" "$work/torn"
check "closing left an empty journal" test "$(head -c 10 "$work/torn/registry.log")" = "KITREGLOG "
printf '@0000002a 00000000\n[HKEY_LOCAL_MACHINE\\SOFTW' >>"$work/torn/registry.log"
out=$("$kitvm" regedit "$work/torn" 'HKEY_LOCAL_MACHINE\SOFTWARE' 2>&1); rc=$?
check "regedit of a torn journal succeeds" test $rc -eq 0
check "the torn record is reported" grep -q 'warning: .*registry.log: the record at offset [0-9]* is incomplete' <<<"$out"
check "the registry before it is shown" grep -qF 'ProgramFilesDir' <<<"$out"
# Reading commands change no file of the machine, not even a torn journal.
snapshot() { (cd "$1" && find . -type f -printf '%p %s %T@\n' | sort && cat registry.log registry.reg | md5sum); }
before=$(snapshot "$work/torn")
for c in regedit tree journal; do "$kitvm" $c "$work/torn" >/dev/null 2>&1; done
check "reading commands write nothing" test "$(snapshot "$work/torn")" = "$before"
# A write takes what can be checked, and removes temporary files of killed runs.
sleep 30 & live=$!
dead=$(bash -c 'echo $$')
printf 'cut' >"$work/torn/registry.log.tmp$dead"
printf 'live' >"$work/torn/registry.reg.tmp$live"
printf 'mine' >"$work/torn/notes.tmp"
check "regset on a torn journal" "$kitvm" regset "$work/torn" 'HKLM\SOFTWARE\Probe' After torn
check "a killed run's temporary file is removed" test ! -e "$work/torn/registry.log.tmp$dead"
check "a running one's is kept" test -e "$work/torn/registry.reg.tmp$live"
check "other files are kept" test -e "$work/torn/notes.tmp"
kill $live
out=$("$kitvm" regedit "$work/torn" 'HKEY_LOCAL_MACHINE\SOFTWARE\Probe' 2>&1)
check "the write survived with the earlier records" grep -qF '"After"="torn"' <<<"$out"
check "and the torn record is gone" bash -c "! grep -q warning <<<\"\$0\"" "$out"
# Killed at its third rename (compaction wrote registry.reg, the emptied
# journal not yet in place): the value is kept and no warning is false.
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
  "$kitvm" create "$work/killed" >/dev/null
  (strace -f -o /dev/null -e trace=rename,renameat,renameat2 \
    -e inject=rename,renameat,renameat2:signal=SIGKILL:when=3 \
    "$kitvm" regset "$work/killed" 'HKLM\SOFTWARE\Probe' Killed run >/dev/null 2>&1) 2>/dev/null
  out=$("$kitvm" regedit "$work/killed" 'HKEY_LOCAL_MACHINE\SOFTWARE\Probe' 2>&1)
  check "a run killed at its third rename kept its value" grep -qF '"Killed"="run"' <<<"$out"
  check "and no warning follows it" bash -c "! grep -q warning <<<\"\$0\"" "$out"
  check "it left a temporary file" test -n "$(compgen -G "$work/killed/registry.log.tmp*")"
  "$kitvm" regset "$work/killed" 'HKLM\SOFTWARE\Probe' Later run
  check "which the next write removes" bash -c "! compgen -G '$work/killed/*.tmp[0-9]*'"
fi
out=$("$kitvm" regedit "$m/registry.reg" 2>&1)
check "a file given as the machine is named as a file" grep -q "no machine at $m/registry.reg (it is a file, not a directory)" <<<"$out"

out=$("$kitvm" tree "$m" 'C:\Tavwin')
check "tree shows the written file with its size" grep -q 'PROBE.TXT  5' <<<"$out"
check "get copies a file out" "$kitvm" get "$m" 'C:\TAVWIN\BIN\PROBE.TXT' "$work/probe.txt"
check "got the content" test "$(cat "$work/probe.txt")" = hello

out=$("$kitvm" run "$m" 'C:\TAVWIN\MISSING.EXE' 2>&1); rc=$?
check "a missing program fails" test $rc -ne 0
check "a missing program is named" grep -q 'MISSING.EXE' <<<"$out"
check "put a non-native file" "$kitvm" put "$m" "$work/probe.txt" 'C:\TAVWIN\TEXT.EXE'
"$kitvm" run "$m" 'C:\TAVWIN\TEXT.EXE' >/dev/null 2>&1; check "a non-native program fails" test $? -ne 0

check "mark in use" "$kitvm" mark-in-use "$m" 'C:\TAVWIN\BIN\PROBE.TXT'
"$kitvm" put "$m" "$work/probe.txt" 'C:\TAVWIN\BIN\PROBE.TXT' >/dev/null 2>&1
check "a file in use cannot be overwritten" test $? -ne 0
printf '[rename]\r\nNUL=C:\\TAVWIN\\TEXT.EXE\r\n' >"$work/wininit.ini"
check "put WININIT.INI" "$kitvm" put "$m" "$work/wininit.ini" 'C:\WINDOWS\WININIT.INI'
check "restart" "$kitvm" restart "$m"
out=$("$kitvm" tree "$m" 'C:\')
check "WININIT deleted the file" bash -c "! grep -q TEXT.EXE <<<\"\$0\"" "$out"
check "WININIT.INI became WININIT.BAK" grep -q 'WININIT.BAK' <<<"$out"
check "after the restart the file is free" "$kitvm" put "$m" "$work/probe.txt" 'C:\TAVWIN\BIN\PROBE.TXT'
out=$("$kitvm" journal "$m")
check "the journal records the run and the restart" grep -q '^Restart' <<<"$out"

echo "$failures failure(s)"
test $failures -eq 0
