#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the project twice (plain,
# and with AddressSanitizer + UndefinedBehaviorSanitizer), and runs the whole
# suite in both builds, then gives each fuzz target a short run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup-deps.sh

status=0
run_suite() {
  local dir=$1; shift
  echo "== build $dir"
  scripts/build.sh "$dir" "$@"
  echo "== test $dir"
  (cd "$dir" && ctest --output-on-failure -j "${VL_JOBS:-$(nproc)}" --timeout 600) || status=1
}

run_suite build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DVL_SANITIZE=ON -DVL_BUILD_GUI=OFF

echo "== fuzz"
scripts/fuzz.sh || status=1

exit $status
