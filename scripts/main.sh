#!/usr/bin/env bash
# The program's main job on a built-in example: installs what is missing,
# builds, starts the cloud simulator on loopback with a sample store location,
# points the program's built-in server at it, and runs a complete download
# over the HTTP file service. With a display and the GUI program built, the
# person does the typing in the real window; without one, the headless
# program's robot plays scripts/demo.robot and the outcome is printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/simulator.sh

scripts/setup-deps.sh
scripts/build.sh build

demo=$root/build/demo
rm -rf "$demo"
mkdir -p "$demo/server" "$demo/prefix/drive_c/VLSInet"
export VLSINET_PREFIX=$demo/prefix
for name in http_proxy HTTP_PROXY https_proxy HTTPS_PROXY all_proxy ALL_PROXY; do unset "$name"; done

host=$(sed -n 's/.*kBuiltInAddress = "\([^"]*\)".*/\1/p' src/data/builtin_account.h)
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$host" \
  -addext "subjectAltName=DNS:$host,DNS:localhost" \
  -keyout "$VLSINET_PREFIX/key.pem" -out "$VLSINET_PREFIX/cert.pem" 2>/dev/null

sim_pid=
stop_simulator() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}
trap stop_simulator EXIT
trap 'exit 130' INT TERM

/usr/bin/python3 tools/cloudsim.py serve --root "$demo/server" --seed --port 0 --https-port 0 \
  --cert "$VLSINET_PREFIX/cert.pem" --key "$VLSINET_PREFIX/key.pem" \
  --log "$demo/requests.jsonl" >"$demo/simulator.out" 2>"$demo/simulator.err" &
sim_pid=$!
wait_simulator_ready "$demo/simulator.out" "$demo/simulator.err" "$sim_pid" || exit 1
port=$(sed -n 's/^PORT //p' "$demo/simulator.out")
https_port=$(sed -n 's/^HTTPSPORT //p' "$demo/simulator.out")
printf '[Network]\r\nConnected=18\r\nConnectTo=%s:443:127.0.0.1:%s,%s:80:127.0.0.1:%s\r\nCAFile=cert.pem\r\n' \
  "$host" "$https_port" "$host" "$port" >"$VLSINET_PREFIX/platform.ini"
echo "Cloud simulator: $host redirected to 127.0.0.1 (HTTP $port, HTTPS $https_port), files in $demo/server"

cd "$VLSINET_PREFIX/drive_c/VLSInet"
if [ -n "${DISPLAY:-}" ] && [ -x "$root/build/src/gui/vlsinet" ]; then
  # Developer mode: the window opens without the daily access code.
  printf '[VLSInet]\r\nDevSwitch=1\r\n' >VLSInet.INI
  cat <<TEXT

VLSInet opens in its own window (developer mode, no access code asked). Enter:
  General tab:  Store Owner Type: Corporate Store    Username, Target Location: any
                Local Cloud Folder: Client/Store     POS Location ID: 12
                POS RDBMS: ISAM, then press "Full Download"
  then press Download, answer the boxes, and press Close when it is done.
Programs land in $VLSINET_PREFIX/drive_c/VORLAN/BIN
TEXT
  status=0
  "$root/build/src/gui/vlsinet" || status=$?
else
  echo "Running the download through vlsinet-headless with scripts/demo.robot (HTTPS)..."
  status=0
  timeout 300 "$root/build/src/app/vlsinet-headless" "$root/scripts/demo.robot" "$demo/transcript.jsonl" || status=$?
fi
echo
/usr/bin/python3 "$root/scripts/demo_report.py" "$demo/transcript.jsonl" "$VLSINET_PREFIX/drive_c" "$demo/server"
echo "Program exit code: $status (transcript: $demo/transcript.jsonl)"
exit "$status"
