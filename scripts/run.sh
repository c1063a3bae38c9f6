#!/usr/bin/env bash
# Builds the three builds and runs halden-service under wine as a smoke run.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
jobs=$(nproc)
for preset in native win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" --target halden-service $( [ "$preset" = native ] || echo halden )
done
./scripts/wine-run.sh build/win64 /usr/lib/wine/wine64 build/win64/halden-service.exe "$@"
