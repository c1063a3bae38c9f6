#!/usr/bin/env bash
# The inner loop while editing: the include check, then the native build
# (sanitizers, headless OS double) and its tests. Extra arguments go to ctest,
# e.g. scripts/check.sh -R core. The whole matrix (win64 under wine, fuzz,
# win32) is scripts/test.sh.
set -u
cd "$(dirname "$0")/.."
./scripts/deps.sh || exit 1
. scripts/jobs.sh
status=0
./scripts/check-includes.sh || status=1
if cmake --preset native >/dev/null && cmake --build --preset native -j "$jobs"; then
  ctest --preset native -j "$jobs" "$@" || status=1
else
  status=1
fi
[ "$status" -eq 0 ] && echo "check: passed" || echo "check: failed"
exit $status
