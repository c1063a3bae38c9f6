# Sourced by the scripts: how many jobs the builds, the test runs and the fuzz
# targets use. TOVAN_JOBS=N sets it (default: every core).
jobs=${TOVAN_JOBS:-$(nproc)}
case "$jobs" in
  '' | *[!0-9]* | 0) echo "TOVAN_JOBS must be a positive number, not \"$jobs\"" >&2; exit 1 ;;
esac
export CTEST_PARALLEL_LEVEL=$jobs
