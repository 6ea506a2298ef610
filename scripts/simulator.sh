# Sourced by the scripts that start tools/cloudsim.py in the background.
# wait_simulator_ready OUT ERR PID: waits (10 s at most) until the simulator
# has written READY to OUT; on failure prints ERR and returns 1.
wait_simulator_ready() {
  local out=$1 err=$2 pid=$3
  for _ in $(seq 100); do
    grep -qx READY "$out" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -qx READY "$out" 2>/dev/null && return 0
  echo "The cloud simulator did not start:" >&2
  cat "$err" >&2
  return 1
}
