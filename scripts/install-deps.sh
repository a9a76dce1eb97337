#!/usr/bin/env bash
# Installs every Debian package the kit needs to build and test (Debian 12, as root).
# The 32-bit Wine is wanted but not required: where it cannot be installed
# (or the machine runs no 32-bit code) the Win32 suite runs under 64-bit Wine.
set -euo pipefail

packages=(cmake make g++ zlib1g-dev libgtest-dev googletest
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev mingw-w64-tools
          wine wine64 xvfb xauth x11-apps x11-utils imagemagick clang libclang-rt-14-dev
          python3 python3-pefile liblnk-utils)
optional=(wine32:i386)

missing() {
  local p
  for p in "$@"; do dpkg -s "$p" >/dev/null 2>&1 || echo "$p"; done
}

need=($(missing "${packages[@]}"))
want=($(missing "${optional[@]}"))
if [ "${#need[@]}" -eq 0 ] && [ "${#want[@]}" -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${need[*]} ${want[*]}); run as root" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --add-architecture i386

# A mirror in the middle of a sync can fail one index; try again, and go on
# with what was fetched (the install itself says when a package is missing).
update() {
  local try
  for try in 1 2 3; do
    apt-get update -qq && return 0
    echo "install-deps: apt-get update failed (try $try)" >&2
    sleep 10
  done
  return 0
}
install() {
  local try
  for try in 1 2 3; do
    apt-get install -y -qq --no-install-recommends "$@" >/dev/null && return 0
    echo "install-deps: apt-get install $* failed (try $try)" >&2
    sleep 10
    update
  done
  return 1
}

update
if [ "${#need[@]}" -gt 0 ]; then
  echo "install-deps: installing ${need[*]}"
  install "${need[@]}"
fi
if [ "${#want[@]}" -gt 0 ]; then
  echo "install-deps: installing ${want[*]}"
  # One try: where the i386 index cannot be fetched, retrying costs minutes.
  apt-get install -y -qq --no-install-recommends "${want[@]}" >/dev/null || echo "install-deps: ${want[*]} not installed; the Win32 suite will run under 64-bit Wine" >&2
fi
exit 0
