# Sourced by the scripts: a display and a throwaway Wine prefix for one run.
# Sets DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES; kit_wine_cleanup
# stops the server and removes the prefix.

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
  export WINEARCH=win32
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
}
