#!/usr/bin/env bash
# tidy.sh [FILE-REGEX...]: runs clang-tidy with the repository's .clang-tidy over
# the program's sources (src/, GUI included) and the fuzz targets (fuzz/*.cpp).
# Configures build-tidy/ (and build-tidy/fuzz/ for the clang-only fuzz project)
# for their compile databases only; nothing is compiled. Exits non-zero on any
# finding. With arguments, checks only the files whose paths match them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dir=${VL_TIDY_BUILD:-build-tidy}
jobs=${VL_JOBS:-$(nproc)}
start=$(date +%s)

if [ ! -f "$dir/compile_commands.json" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
fi
if [ ! -f "$dir/fuzz/compile_commands.json" ]; then
  CC=clang CXX=clang++ cmake -S fuzz -B "$dir/fuzz" -G Ninja \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
fi

src_filter="^$root/src/"
fuzz_filter="^$root/fuzz/[^/]*\\.cpp\$"
if [ $# -gt 0 ]; then
  wanted="($(IFS='|'; echo "$*"))"
  # Paths may be given from the repository root (src/http/) or below src/ (http/).
  src_filter="^$root/(?=src/).*$wanted"
  fuzz_filter="^$root/fuzz/[^/]*$wanted[^/]*\\.cpp\$"
fi

# A filter that matches no file would otherwise report "clean".
if ! grep -oE '"file": "[^"]*"' "$dir/compile_commands.json" "$dir/fuzz/compile_commands.json" |
    sed -E 's/.*"file": "([^"]*)"/\1/' |
    python3 -c 'import re, sys; sys.exit(not any(re.search(p, l.strip()) for l in sys.stdin for p in sys.argv[1:]))' \
      "$src_filter" "$fuzz_filter"; then
  echo "tidy: no source file matches $*" >&2
  exit 2
fi

log=$(mktemp "${TMPDIR:-/tmp}/vlsinet-tidy-XXXXXX")
trap 'rm -f "$log"' EXIT
status=0
run-clang-tidy -quiet -j "$jobs" -p "$dir" "$src_filter" >>"$log" 2>&1 || status=1
run-clang-tidy -quiet -j "$jobs" -p "$dir/fuzz" "$fuzz_filter" >>"$log" 2>&1 || status=1

# The runner colours the output and echoes each clang-tidy command line; keep
# only the diagnostics, in plain text.
sed -i -r 's/\x1b\[[0-9;]*m//g' "$log"
grep -vE '^(/\S*clang-tidy|clang-tidy)' "$log" | grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' || true
grep -qE ': (warning|error):' "$log" && status=1
echo "tidy: $((  $(date +%s) - start )) s, $([ $status -eq 0 ] && echo clean || echo 'findings above')"
exit $status
