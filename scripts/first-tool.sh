#!/usr/bin/env bash
# Builds examples/first_tool as a user of the framework would and checks what it
# prints (examples/first_tool/expected_output.txt) and the files it writes:
# natively with add_subdirectory of this tree and with find_package against an
# install of build/native into a scratch prefix; then against installs of
# build/win64 (run under wine) and build/win32 (linked only). Those three builds
# must exist (scripts/test.sh makes them). Exits 0 when every step passed.
set -u
cd "$(dirname "$0")/.."
. scripts/jobs.sh
out=$PWD/build/first_tool
expected=$PWD/examples/first_tool/expected_output.txt
status=0
rm -rf "$out"
mkdir -p "$out"

fail() { echo "== first_tool: $*"; status=1; }

build() {  # name, cmake arguments...: configures and builds $out/<name> with warnings as errors
  local dir=$out/$1; shift
  cmake -S examples/first_tool -B "$dir" -G Ninja -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" "$@" >"$dir.log" 2>&1 &&
    cmake --build "$dir" -j "$jobs" >>"$dir.log" 2>&1 && return 0
  tail -n 40 "$dir.log"
  fail "$(basename "$dir"): build failed"
  return 1
}

check() {  # name, its output, the base folder it wrote into
  diff <(tr -d '\r' <"$2") "$expected" || fail "$1: output differs from $expected"
  for f in job.xml image.tga image.bmp two.obj; do
    [ -s "$3/first_tool_files/$f" ] || fail "$1: wrote no $3/first_tool_files/$f"
  done
}

run_native() {  # name: runs it in a folder of its own; the headless C:\app is <folder>/app
  mkdir -p "$out/$1.run"
  (cd "$out/$1.run" && "$out/$1/first_tool" >"$out/$1.out") || fail "$1: exit status $?"
  check "$1" "$out/$1.out" "$out/$1.run/app"
}

install_prefix() {  # build folder, prefix
  cmake --install "$1" --prefix "$2" >"$2.log" 2>&1 || { cat "$2.log"; fail "install of $1 failed"; return 1; }
}

if build subdirectory -DTOVAN_SOURCE_DIR="$PWD"; then run_native subdirectory; fi
if install_prefix build/native "$out/prefix-native" &&
  build package -DCMAKE_PREFIX_PATH="$out/prefix-native"; then
  run_native package
fi
if install_prefix build/win64 "$out/prefix-win64" &&
  build win64 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$out/prefix-win64"; then
  ./scripts/wine-run.sh build/win64 /usr/lib/wine/wine64 "$out/win64/first_tool.exe" >"$out/win64.out" ||
    fail "win64: exit status $?"
  check win64 "$out/win64.out" "$out/win64"
fi
if install_prefix build/win32 "$out/prefix-win32"; then
  build win32 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$out/prefix-win32"
fi
[ "$status" -eq 0 ] && echo "== first_tool: passed" || echo "== first_tool: failed"
exit $status
