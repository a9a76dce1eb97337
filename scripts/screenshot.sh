#!/bin/bash
# Shows a stored form under Wine on an X display and writes a PNG of it.
#   scripts/screenshot.sh OUT.png [FORM.dfm]
# Uses build/$KIT_WIN_PRESET/ui/showform.exe (the test form holding every
# control when no form is named). Needs DISPLAY (Xvfb) and a Wine prefix, as
# set up by scripts/wine-env.sh (kit_start_display, kit_new_prefix).
set -euo pipefail
out="${1:?usage: screenshot.sh OUT.png [FORM.dfm]}"
form="${2:-}"
here="$(cd "$(dirname "$0")/.." && pwd)"
. "$here/scripts/wine-env.sh"
bin="$here/build/$KIT_WIN_PRESET/ui"
[ -x "$bin/showform.exe" ] || { echo "screenshot: build showform first ($bin/showform.exe)" >&2; exit 1; }
args=()
[ -n "$form" ] && args=("$(winepath -w "$form")")
wine "$bin/showform.exe" "${args[@]}" >/dev/null 2>&1 &
pid=$!
caption="$(sed -n "s/^  Caption = '\(.*\)'$/\1/p" "${form:-/dev/null}" | head -1)"
[ -z "$caption" ] && caption="Tavrix for Windows"
drive() { wine "$bin/windriver.exe" "$@"; }
if ! drive wait "$caption" 20000 >/dev/null 2>&1; then
  echo "screenshot: the window \"$caption\" did not appear" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
sleep 1
# The form's own X window (its client area: Xvfb runs no window manager).
import -display "$DISPLAY" -window "$caption" -depth 8 -colors 32 "PNG8:$out"
# The cancel button ends the form through its cancel button; kill what is left.
drive press "$caption" "Vazge$(printf '\347')" >/dev/null 2>&1 || true
sleep 1
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ -n "${KIT_WINE_SHIM:-}" ] && rm -rf "$KIT_WINE_SHIM"
echo "$out"
