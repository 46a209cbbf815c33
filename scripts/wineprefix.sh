#!/bin/bash
# Makes a Wine prefix once and keeps its wineserver running.
# Usage: scripts/wineprefix.sh <prefix-dir> null|x11
set -euo pipefail
# Wine takes only an absolute prefix (a relative one is refused and the null
# driver never set), so the path is made absolute here.
prefix=$(realpath -m "$1"); driver=${2:-null}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The test programs' DLL path is not the prefix's business: with it, wineboot fails.
unset WINEPATH
wine=/usr/lib/wine/wine64
if [ ! -f "$prefix/.tavik-ready" ]; then
  rm -rf "$prefix"; mkdir -p "$prefix"
  $wine wineboot -i </dev/null >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  if [ "$driver" = null ]; then
    # Without this key no window can be created headless; check that it was stored.
    for attempt in 1 2 3; do
      $wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 || true
      /usr/lib/wine/wineserver -w
      grep -q '"Graphics"="null"' "$prefix/user.reg" && break
    done
    grep -q '"Graphics"="null"' "$prefix/user.reg" || { echo "wineprefix: could not set the null graphics driver" >&2; exit 1; }
  else
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  fi
  /usr/lib/wine/wineserver -w
  # Fonts for captions, dialogs and stable layout.
  fonts="$prefix/drive_c/windows/Fonts"; mkdir -p "$fonts"
  cp -f /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  cp -f /usr/share/fonts/truetype/liberation2/*.ttf "$fonts/" 2>/dev/null || true
  # Never let a test write into $HOME through the prefix's shell-folder links.
  for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
  done
  touch "$prefix/.tavik-ready"
fi
# Keep the server alive between programs; start Wine's background processes
# with stdio on /dev/null so that no runner waits on their pipes.
/usr/lib/wine/wineserver -p 600 </dev/null >/dev/null 2>&1 || true
$wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
