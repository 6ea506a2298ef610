#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the project twice (plain
# with GCC, and with clang, AddressSanitizer + UndefinedBehaviorSanitizer),
# and runs the whole suite in both builds, then gives each fuzz target a short
# run. The fuzz targets are built in the sanitizer tree, so the program's
# modules are compiled twice rather than three times.
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
  run_suite build-asan -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVL_SANITIZE=ON -DVL_BUILD_GUI=OFF -DVL_FUZZ=ON

echo "== fuzz"
VL_FUZZ_BUILD=build-asan scripts/fuzz.sh || status=1

exit $status
