#!/usr/bin/env bash
# Builds the three builds, runs halden-service under wine as a smoke run, and
# says where the programs are. Arguments go to halden-service's command line.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
. scripts/jobs.sh
declare -A what=([native]="native (Linux g++, sanitizers, headless OS double)"
                 [win64]="win64 (mingw-w64 x86_64)"
                 [win32]="win32 (mingw-w64 i686: the shipped programs)")
for preset in native win64 win32; do
  echo "== building ${what[$preset]} in build/$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" --target halden-service $( [ "$preset" = native ] || echo halden )
done
echo "== running build/win64/halden-service.exe under wine: it prints its log"
./scripts/wine-run.sh build/win64 /usr/lib/wine/wine64 build/win64/halden-service.exe "$@"
cat <<TXT
== done
The shipped 32-bit programs (for Windows; they cannot run here):
  build/win32/halden.exe  build/win32/halden-service.exe
The 64-bit programs, which run under wine here:
  build/win64/halden.exe  build/win64/halden-service.exe
Start halden under wine on your display (close its window to end it; its log
goes to the terminal):
  WINEPREFIX=\$PWD/build/win64/wineprefix /usr/lib/wine/wine64 build/win64/halden.exe
TXT
