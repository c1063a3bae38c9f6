#!/usr/bin/env bash
# Checks the include layering; builds and runs every test: native (sanitizers),
# then win64 under wine, then the tests that start threads under
# ThreadSanitizer (tsan); runs every fuzz target briefly; builds win32; builds
# and runs the worked example (scripts/first-tool.sh); ends with one line
# "N passed, N failed" summing the include check, the test runs, one result per
# fuzz target and one for the example.
set -u
cd "$(dirname "$0")/.."
./scripts/deps.sh || exit 1
. scripts/jobs.sh
status=0

# Every suite runs its tests in a shuffled order, the same in both builds (the
# variables reach the programs under wine too). TOVAN_TEST_SEED=N replays one.
seed=${TOVAN_TEST_SEED:-$(( $(date +%s) % 99999 + 1 ))}
export GTEST_SHUFFLE=1 GTEST_RANDOM_SEED=$seed
echo "== test order: seed $seed (replay with TOVAN_TEST_SEED=$seed)"

count() {  # sums the gtest XML reports of one build; a suite without a report counts as one failure
  local dir=$1 suites=$2 passed=0 failed=0
  for s in $suites; do
    local xml="$dir/test-results/$s.xml"
    if [ -f "$xml" ]; then
      local line; line=$(grep -m1 '<testsuites' "$xml")
      local t f e d
      t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$line")
      f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$line")
      e=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$line")
      d=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$line")
      passed=$((passed + t - f - e - d)); failed=$((failed + f + e))
    else
      failed=$((failed + 1))
    fi
  done
  echo "$passed $failed"
}

suites() { ctest --test-dir "$1" -N 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: *//p'; }

run_build() {  # preset, runner...
  local preset=$1; shift
  rm -rf "build/$preset/test-results"
  cmake --preset "$preset" >/dev/null || return 1
  cmake --build --preset "$preset" -j "$jobs" || return 1
  # The tests' temporary folders go to an empty folder of this run's own (under
  # wine to the prefix's), which they must leave as they found it.
  local temp left users="build/$preset/wineprefix/drive_c/users"
  temp=$(mktemp -d)
  [ -d "$users" ] && find "$users" -maxdepth 5 -name 'tovan-*' -prune -exec rm -rf {} +
  if [ $# -eq 0 ]; then
    TMPDIR=$temp ctest --preset "$preset" -j "$jobs" || status=1
  else
    "$@" ctest --preset "$preset" -j "$jobs" || status=1
  fi
  left=$(ls -A "$temp"; [ -d "$users" ] && find "$users" -maxdepth 5 -name 'tovan-*' -prune)
  rm -rf "$temp"
  if [ -n "$left" ]; then
    echo "== $preset: the tests left in the temporary folder:" $left
    status=1; total_fail=$((total_fail + 1))
  fi
}

total_pass=0; total_fail=0
if ./scripts/check-includes.sh; then
  total_pass=$((total_pass + 1))
else
  status=1; total_fail=$((total_fail + 1))
fi

for preset in native win64 tsan; do
  runner=()
  [ "$preset" = win64 ] && runner=(./scripts/wine-run.sh build/win64)
  if ! run_build "$preset" "${runner[@]}"; then
    echo "== $preset: build failed"; status=1; total_fail=$((total_fail + 1)); continue
  fi
  read -r p f < <(count "build/$preset" "$(suites build/$preset)")
  echo "== $preset: $p passed, $f failed"
  total_pass=$((total_pass + p)); total_fail=$((total_fail + f))
done

# Each libFuzzer target for a short time from its seeds (tests/data/<name>/ when
# there are any), four at a time (fewer when TOVAN_JOBS is smaller); a crash, leak, timeout or oversized
# allocation fails the target. Findings go to build/fuzz/artifacts/.
fuzz_seconds=${FUZZ_SECONDS:-30}
fuzz_one() {  # binary -> exit status of the run
  local bin=$1 name=${1##*/fuzz_}
  local corpus; corpus=$(mktemp -d)
  [ -d "tests/data/$name" ] && cp -r "tests/data/$name/." "$corpus/"
  "$bin" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="build/fuzz/artifacts/$name-" "$corpus" >"build/fuzz/logs/$name.log" 2>&1
  local rc=$?
  rm -rf "$corpus"
  echo "$rc" >"build/fuzz/logs/$name.rc"
}
fuzz_parallel=$(( jobs < 4 ? jobs : 4 ))
if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$jobs"; then
  rm -rf build/fuzz/logs build/fuzz/artifacts
  mkdir -p build/fuzz/logs build/fuzz/artifacts
  for bin in build/fuzz/fuzz/fuzz_*; do
    [ -x "$bin" ] || continue
    while [ "$(jobs -rp | wc -l)" -ge "$fuzz_parallel" ]; do wait -n; done
    fuzz_one "$bin" &
  done
  wait
  fp=0; ff=0
  for rc in build/fuzz/logs/*.rc; do
    [ -f "$rc" ] || continue
    name=$(basename "$rc" .rc)
    if [ "$(cat "$rc")" = 0 ]; then
      fp=$((fp + 1))
    else
      ff=$((ff + 1)); echo "== fuzz: $name failed"; tail -n 30 "build/fuzz/logs/$name.log"
    fi
  done
  echo "== fuzz: $fp passed, $ff failed"
  total_pass=$((total_pass + fp)); total_fail=$((total_fail + ff))
else
  echo "== fuzz: build failed"; status=1; total_fail=$((total_fail + 1))
fi

if cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "$jobs"; then
  echo "== win32: built"
else
  echo "== win32: build failed"; status=1; total_fail=$((total_fail + 1))
fi

# The worked example, built against the three builds above as a user would:
# one result, whatever step fails.
if ./scripts/first-tool.sh; then
  total_pass=$((total_pass + 1))
else
  status=1; total_fail=$((total_fail + 1))
fi

[ "$total_fail" -eq 0 ] || status=1
echo "$total_pass passed, $total_fail failed"
exit $status
