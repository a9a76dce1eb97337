# Sourced by the scripts: a display and a throwaway Wine prefix for one run.
# Sets DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES; kit_wine_cleanup
# stops the server and removes the prefix.
#
# Some machines' kernels run no 32-bit x86 code at all (an i386 execve fails
# with "Exec format error"), and 32-bit Wine with it. There KIT_WIN_PRESET is
# win64: the same code built for x86-64 runs under 64-bit Wine, which `wine`
# then names. Elsewhere it is win32, the product's own build, unless
# KIT_WIN_PRESET=win64 is set beforehand to run the x86-64 build anyway.

kit_runs_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

if [ "${KIT_WIN_PRESET:-}" != win64 ] && kit_runs_i386; then
  KIT_WIN_PRESET=win32
  KIT_WINEARCH=win32
else
  KIT_WIN_PRESET=win64
  KIT_WINEARCH=win64
  KIT_WINE_SHIM="$(mktemp -d /tmp/kit-wine-shim.XXXXXX)"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' > "$KIT_WINE_SHIM/$name"
    chmod +x "$KIT_WINE_SHIM/$name"
  done
  export PATH="$KIT_WINE_SHIM:$PATH"
fi
export KIT_WIN_PRESET

kit_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in 99 98 97 96 95; do
    if [ ! -e "/tmp/.X${n}-lock" ]; then
      Xvfb ":${n}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      KIT_XVFB_PID=$!
      export DISPLAY=":${n}"
      sleep 1
      return 0
    fi
  done
  echo "wine-env: no free X display" >&2
  return 1
}

kit_new_prefix() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
  export WINEARCH="$KIT_WINEARCH"
  export WINEPREFIX
  WINEPREFIX="$(mktemp -d /tmp/kit-wine.XXXXXX)"
  wineboot -i >/dev/null 2>&1
  wineserver -w
}

kit_wine_cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "${WINEPREFIX}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "${WINEPREFIX}"
  fi
  if [ -n "${KIT_XVFB_PID:-}" ]; then kill "${KIT_XVFB_PID}" 2>/dev/null || true; fi
  if [ -n "${KIT_WINE_SHIM:-}" ]; then rm -rf "${KIT_WINE_SHIM}"; fi
}
