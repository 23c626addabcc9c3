#!/usr/bin/env bash
# Starts (or stops) what the Windows tests need around one CTest run:
# an X server (Xvfb) when no display is set, and one long-lived Wine
# session for the build tree's prefix, so that test processes start fast
# and Wine's background processes do not hold CTest's output open.
# Usage: DISPLAY=$(wine-session.sh start BUILD_DIR)   |   wine-session.sh stop BUILD_DIR
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
prefix=$build/wineprefix
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

case "$action" in
start)
    if [ -z "${DISPLAY:-}" ]; then
        for n in $(seq 91 120); do
            lock=/tmp/.X$n-lock
            # A server killed without cleaning up leaves its lock and socket:
            # its display is free again.
            if [ -e "$lock" ] && ! kill -0 "$(tr -d ' \n' <"$lock")" 2>/dev/null; then
                rm -f "$lock" "/tmp/.X11-unix/X$n"
            fi
            [ -e "/tmp/.X11-unix/X$n" ] || [ -e "$lock" ] && continue
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            pid=$!
            # Another session may have taken the same number at the same
            # moment: the display is ours only when our server holds its
            # lock. A display borrowed from another session would vanish
            # when that session stops.
            for _ in $(seq 1 100); do
                kill -0 "$pid" 2>/dev/null || break
                [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' <"$lock" 2>/dev/null)" = "$pid" ] && break
                sleep 0.1
            done
            if kill -0 "$pid" 2>/dev/null && [ "$(tr -d ' \n' <"$lock" 2>/dev/null)" = "$pid" ]; then
                echo "$pid" >"$build/xvfb.pid"
                export DISPLAY=":$n"
                break
            fi
            kill "$pid" 2>/dev/null || true
        done
    fi
    # Create the prefix (once) and keep its server alive for the whole run.
    mkdir -p "$prefix"
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -p30 >/dev/null 2>&1 || true
    DISPLAY=$DISPLAY "$here/wine-run.sh" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true
    echo "$DISPLAY"
    ;;
stop)
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -f "$build/xvfb.pid" ]; then
        kill "$(cat "$build/xvfb.pid")" 2>/dev/null || true
        rm -f "$build/xvfb.pid"
    fi
    ;;
esac
