#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64 with the GBK code page (936), as the tests need it.
# Usage: cmake/wine-run.sh program.exe [args...]
# The zh_CN.UTF-8 locale is generated once into a cache folder (no system change), and one Wine prefix
# is kept there too, so only the first run pays for setting it up.
set -euo pipefail
cache="${VEXLO_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/vexlo}"
mkdir -p "$cache"
if [ ! -d "$cache/locale/zh_CN.UTF-8" ]; then
  mkdir -p "$cache/locale"
  localedef -i zh_CN -f UTF-8 "$cache/locale/zh_CN.UTF-8" >/dev/null 2>&1 || true
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
export WINEPREFIX="${WINEPREFIX:-$cache/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Serialise the one-off prefix creation when several tests start at once.
if [ ! -f "$WINEPREFIX/.vexlo-ready" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vexlo-ready" ]; then
      env LOCPATH="$cache/locale" LC_ALL=zh_CN.UTF-8 "$wine" wineboot --init >/dev/null 2>&1 || true
      /usr/lib/wine/wineserver -w 2>/dev/null || wineserver -w 2>/dev/null || true
      touch "$WINEPREFIX/.vexlo-ready"
    fi
  ) 9>"$cache/wineprefix.lock"
fi
exec env LOCPATH="$cache/locale" LC_ALL=zh_CN.UTF-8 "$wine" "$@"
