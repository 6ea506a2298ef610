#!/usr/bin/env bash
# fuzz.sh [TARGET...]: builds the libFuzzer targets with clang, replays every
# input in fuzz/regressions/<target>/, then fuzzes each target for
# VL_FUZZ_SECONDS (default 60) over a scratch copy of fuzz/corpus/<target>/
# (the repository's corpus is never written). Fails when any target crashes,
# leaks, times out or runs out of memory; the reproducer is kept under
# <build>/findings/<target>/.
#
# The build tree is VL_FUZZ_BUILD (default build-fuzz): an already configured
# tree is used as it is (scripts/test.sh passes its sanitizer build, configured
# with -DVL_FUZZ=ON); otherwise the stand-alone project fuzz/ is configured
# there. VL_FUZZ_JOBS targets (default: one per core) run side by side, each
# for the full VL_FUZZ_SECONDS on a core of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${VL_FUZZ_SECONDS:-60}
dir=${VL_FUZZ_BUILD:-build-fuzz}
parallel=${VL_FUZZ_JOBS:-$(nproc)}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_ftp_listing fuzz_http_listing fuzz_ini fuzz_records fuzz_robot_script)
fi

if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S fuzz -B "$dir" -G Ninja >/dev/null
fi
cmake --build "$dir" -j "${VL_JOBS:-$(nproc)}" --target "${targets[@]}"

# Each target gets its own prefix below a scratch folder, so that nothing it
# writes lands in the user's ~/.vlsinet.
work=$(mktemp -d "${TMPDIR:-/tmp}/vlsinet-fuzz-XXXXXX")
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
limits=(-rss_limit_mb=2048 -timeout=10 -max_len=65536)

# fuzz_target TARGET: replays the regressions, then fuzzes; prints a report
# and fails on any finding.
fuzz_target() {
  local target=$1
  local bin="$dir/$target" findings="$dir/findings/$target"
  export VLSINET_PREFIX="$work/$target-prefix"
  mkdir -p "$VLSINET_PREFIX"

  local regressions=(fuzz/regressions/"$target"/*)
  if [ -e "${regressions[0]}" ]; then
    echo "== $target: replaying ${#regressions[@]} regression inputs"
    if ! "$bin" "${limits[@]}" -artifact_prefix="$findings/" "${regressions[@]}" >"$findings/replay.log" 2>&1; then
      echo "!! $target fails a regression input; see $findings/replay.log"
      tail -n 40 "$findings/replay.log"
      return 1
    fi
  fi

  local corpus="$work/$target-corpus"
  mkdir -p "$corpus"
  cp -r fuzz/corpus/"$target"/. "$corpus"/
  echo "== $target: fuzzed for $seconds s"
  if ! "$bin" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" >"$findings/fuzz.log" 2>&1; then
    echo "!! $target crashed; the input is in $findings/ and the log in $findings/fuzz.log"
    grep -m1 -A30 "ERROR: \|runtime error\|==ERROR\|deadly signal" "$findings/fuzz.log" || tail -n 40 "$findings/fuzz.log"
    return 1
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$findings/fuzz.log" | tr '\n' ' '; echo
}

# Each target's report and exit status go to files in its findings folder and
# are shown in the targets' order once all have finished.
echo "== fuzzing ${targets[*]} for $seconds s each, $parallel at a time"
for target in "${targets[@]}"; do
  findings="$dir/findings/$target"
  mkdir -p "$findings"
  rm -f "$findings/status"
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  { fuzz_target "$target" >"$findings/report.txt" 2>&1 && echo 0 >"$findings/status" \
      || echo 1 >"$findings/status"; } &
done
wait

status=0
for target in "${targets[@]}"; do
  findings="$dir/findings/$target"
  cat "$findings/report.txt"
  [ "$(cat "$findings/status" 2>/dev/null)" = 0 ] || status=1
done
exit $status
