#!/usr/bin/env bash
# Runs a Windows program under wine64 in a prefix kept per build tree.
# Usage: wine-run.sh PREFIX program.exe [args...]
# The prefix is created once (no Mono or Gecko prompts) and the font files
# that Debian ships for Wine are copied in, so text renders the same on
# every machine.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64

if [ ! -f "$prefix/.pickwell-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.pickwell-ready" ]; then
        "$wine" wineboot -i >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w || true
        fonts="$prefix/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
        touch "$prefix/.pickwell-ready"
    fi
    exec 9>&-
fi
# No window manager runs under Xvfb: Wine must not hand windows to one, or it
# waits 2 s for it whenever an active window closes. (Older prefixes too.)
if [ ! -f "$prefix/.pickwell-unmanaged" ]; then
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.pickwell-unmanaged" ]; then
        "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        touch "$prefix/.pickwell-unmanaged"
    fi
    exec 9>&-
fi
exec "$wine" "$@"
