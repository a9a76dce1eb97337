#!/bin/bash
# Usage: shipped_programs_test.sh OBJDUMP ALLOW_LIST ARCH PROGRAM=TARGET:CEILING:IMPORTS...
# Prints each program's size against its target (bytes, 0 = none); fails when
# a 32-bit (i686) program is larger than its ceiling or asks for a subsystem
# version above 4.0, and, on either architecture and where IMPORTS is 1, when
# it imports a function the allow-list does not name for its DLL.
set -u
objdump=${1:?objdump}; allow=${2:?allow-list}; arch=${3:?architecture}; shift 3
faults=0

# "DLL FUNCTION" lines of the list; "x86_64: DLL FUNCTION" lines count on x86-64 only.
allowed=$(sed -e 's/#.*//' "$allow" | awk -v arch="$arch" '
  NF == 2 { print toupper($1), $2 }
  NF == 3 && $1 == arch ":" { print toupper($2), $3 }' | sort -u)

for entry in "$@"; do
  program=${entry%=*}
  IFS=: read -r target ceiling check_imports <<<"${entry##*=}"
  name=$(basename "$program")
  if [ ! -f "$program" ]; then echo "$name: not built"; faults=$((faults + 1)); continue; fi
  size=$(stat -c %s "$program")
  printf '%-26s %9d bytes (%d KB)' "$name" "$size" $(( (size + 1023) / 1024 ))
  if [ "$arch" = i686 ] && [ "$target" -gt 0 ]; then
    if [ "$size" -le "$target" ]; then printf ', target %d KB met' $((target / 1024))
    else printf ', target %d KB NOT MET' $((target / 1024)); fi
    if [ "$ceiling" -gt 0 ] && [ "$size" -gt "$ceiling" ]; then
      printf ' -- above its ceiling of %d KB' $((ceiling / 1024))
      faults=$((faults + 1))
    fi
  fi
  echo
  headers=$("$objdump" -p "$program") || { echo "$name: objdump failed"; faults=$((faults + 1)); continue; }
  if [ "$arch" = i686 ]; then
    major=$(awk '$1 == "MajorSubsystemVersion" { print $2 }' <<<"$headers")
    minor=$(awk '$1 == "MinorSubsystemVersion" { print $2 }' <<<"$headers")
    if [ -z "$major" ] || [ "$major" -gt 4 ] || { [ "$major" -eq 4 ] && [ "$minor" -gt 0 ]; }; then
      echo "$name: subsystem version $major.$minor, above 4.0"
      faults=$((faults + 1))
    fi
  fi
  [ "$check_imports" = 1 ] || { echo "  imports not checked"; continue; }
  imports=$(awk '/DLL Name:/ { dll = toupper($3) }
                 /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }' <<<"$headers" | sort -u)
  if [ -z "$imports" ]; then echo "$name: no imports read"; faults=$((faults + 1)); continue; fi
  outside=$(comm -23 <(echo "$imports") <(echo "$allowed"))
  if [ -n "$outside" ]; then
    while read -r dll func; do
      echo "$name: imports $func from $dll, which the allow-list does not name"
      faults=$((faults + 1))
    done <<<"$outside"
  else
    echo "  $(wc -l <<<"$imports") imported functions, all on the list"
  fi
done
[ "$faults" -eq 0 ] || { echo "$faults fault(s)"; exit 1; }
