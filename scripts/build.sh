#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures DIR (again only when the options
# differ from the ones it was configured with), then builds it incrementally.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
stamp="$dir/.vl-configure-options"
if [ ! -f "$dir/build.ninja" ] || { [ $# -gt 0 ] && [ "$*" != "$(cat "$stamp" 2>/dev/null)" ]; }; then
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  printf '%s' "$*" >"$stamp"
fi
cmake --build "$dir" -j "${VL_JOBS:-$(nproc)}"
