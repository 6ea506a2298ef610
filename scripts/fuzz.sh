#!/usr/bin/env bash
# fuzz.sh [TARGET...]: builds the libFuzzer targets with clang into build-fuzz/,
# replays every input in fuzz/regressions/<target>/, then fuzzes each target
# for VL_FUZZ_SECONDS (default 60) over a scratch copy of fuzz/corpus/<target>/
# (the repository's corpus is never written). Fails when any target crashes,
# leaks, times out or runs out of memory; the reproducer is kept under
# build-fuzz/findings/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${VL_FUZZ_SECONDS:-60}
dir=${VL_FUZZ_BUILD:-build-fuzz}
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

status=0
for target in "${targets[@]}"; do
  bin="$dir/$target"
  findings="$dir/findings/$target"
  mkdir -p "$findings"
  export VLSINET_PREFIX="$work/$target-prefix"
  mkdir -p "$VLSINET_PREFIX"

  regressions=(fuzz/regressions/"$target"/*)
  if [ -e "${regressions[0]}" ]; then
    echo "== $target: replaying ${#regressions[@]} regression inputs"
    if ! "$bin" "${limits[@]}" -artifact_prefix="$findings/" "${regressions[@]}" >"$findings/replay.log" 2>&1; then
      echo "!! $target fails a regression input; see $findings/replay.log"
      tail -n 40 "$findings/replay.log"
      status=1
      continue
    fi
  fi

  corpus="$work/$target-corpus"
  mkdir -p "$corpus"
  cp -r fuzz/corpus/"$target"/. "$corpus"/
  echo "== $target: fuzzing for $seconds s"
  if ! "$bin" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" >"$findings/fuzz.log" 2>&1; then
    echo "!! $target crashed; the input is in $findings/ and the log in $findings/fuzz.log"
    grep -m1 -A30 "ERROR: \|runtime error\|==ERROR\|deadly signal" "$findings/fuzz.log" || tail -n 40 "$findings/fuzz.log"
    status=1
  else
    grep -E "^stat::number_of_executed_units|^Done" "$findings/fuzz.log" | tr '\n' ' '; echo
  fi
done
exit $status
