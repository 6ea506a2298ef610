#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures DIR once, then builds it incrementally.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$dir" -j "${VL_JOBS:-$(nproc)}"
