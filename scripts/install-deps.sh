#!/usr/bin/env bash
# Installs every Debian package the kit needs to build and test (Debian 12, as root).
set -euo pipefail

packages=(cmake make g++ zlib1g-dev libgtest-dev googletest
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev mingw-w64-tools
          wine wine32:i386 wine64 xvfb xauth clang libclang-rt-14-dev
          python3 python3-pefile)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
