#!/usr/bin/env bash
# Installs the Debian 12 packages the builds need, skipping those already present.
set -eu
need=(cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
      clang libclang-rt-14-dev wine64 xvfb
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix)
# Peer libraries for the side-by-side benchmarks (BENCH=1 scripts/deps.sh).
[ -z "${BENCH:-}" ] || need=(libstb-dev libpugixml-dev libtinyxml2-dev libtinyobjloader-dev)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # apt's own progress shows: on a fresh machine this takes minutes.
  echo "== deps: installing ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
