#!/usr/bin/env bash
# gui_smoke.sh VLSINET ARTIFACTS: runs the GUI program in developer mode in a
# throw-away prefix under Xvfb with its smoke driver switched on. Passes when
# the program ends with 0 and the driver's log ends "result: PASS"; the
# screenshots and the log stay in ARTIFACTS.
set -u
exe=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export VLSINET_PREFIX="$work/prefix"
start="$VLSINET_PREFIX/drive_c/VLSInet"
mkdir -p "$start"
printf '[VLSInet]\r\nDevSwitch=1\r\n' >"$start/VLSInet.INI"

cd "$start"
VLSINET_GUI_SMOKE="$out" timeout --kill-after=10 180 \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$exe" >"$out/program.out" 2>&1
code=$?
cat "$out/smoke.log" 2>/dev/null || echo "no smoke log"
echo "vlsinet exit code: $code"
[ "$code" -eq 0 ] && tail -n 1 "$out/smoke.log" | grep -qx 'result: PASS'
