#!/usr/bin/env bash
# wine-run.sh BUILD_DIR COMMAND...
# Runs COMMAND with a private wine prefix under BUILD_DIR, an Xvfb display of its
# own and a persistent wineserver, then stops exactly the processes it started.
set -u
build=$(cd "$1" && pwd); shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
mkdir -p "$WINEPREFIX"

display=""
for d in $(seq 91 199); do
  if [ ! -e "/tmp/.X11-unix/X$d" ] && [ ! -e "/tmp/.X$d-lock" ]; then display=$d; break; fi
done
[ -n "$display" ] || { echo "wine-run: no free display" >&2; exit 1; }

Xvfb ":$display" -nolisten tcp -screen 0 1280x1024x24 </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done

setsid "$WINESERVER" -f -p </dev/null >/dev/null 2>&1 &
server_pid=$!

stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  for pid in $server_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in $server_pid $xvfb_pid; do
    wait "$pid" 2>/dev/null || true
  done
}
trap stop EXIT

"$WINE" wineboot >/dev/null 2>&1
# No window manager runs on the Xvfb display: unmanaged windows spare wine its
# two-second wait for a window manager's answer on every hide and destroy.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$@"
