#!/usr/bin/env bash
# bench/run.sh: the program's download speed and memory against curl, on
# loopback, through the cloud simulator. Builds a release program into its own
# build folder, then times whole runs of vlsinet-headless (a robot fills in the
# setup window and presses Download; start to exit, nothing subtracted) and
# curl fetching the same files, runs alternating, one warm-up run each first,
# and prints medians side by side. See BENCHMARKS.md.
#
# Environment (defaults in brackets):
#   BENCH_MIB [512]        size of the one big file (HTTP and FTP)
#   BENCH_RUNS [5]         timed runs per tool and scenario, after one warm-up
#   BENCH_FILES [1000]     number of small files, BENCH_FILE_BYTES [1024] each
#   BENCH_HUGE_MIB [2047]  the memory run's file (0 skips it); the program's
#                          sizes are signed 32-bit, so 2048 would be refused
#   BENCH_HUGE_RUNS [1]    timed runs of the memory run, after a warm-up
#   BENCH_PARTS ["http many ftp huge"]  which scenarios to run
#   BENCH_TIMEOUT [300]    bound on each single run, seconds
#   BENCH_BUILD [build-bench]  build folder (under the repository)
#   BENCH_KEEP [0]         1 keeps the work folder (server tree, prefix)
#   BENCH_WRAP []          a command put before the program in its runs, for
#                          counting rather than timing: "strace -c -f -o FILE"
#                          or "valgrind --tool=callgrind --callgrind-out-file=FILE"
#                          (each run overwrites FILE; its times then mean little)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/simulator.sh

mib=${BENCH_MIB:-512}
runs=${BENCH_RUNS:-5}
files=${BENCH_FILES:-1000}
file_bytes=${BENCH_FILE_BYTES:-1024}
huge_mib=${BENCH_HUGE_MIB:-2047}
parts=${BENCH_PARTS:-http many ftp huge}
run_timeout=${BENCH_TIMEOUT:-300}
build=$root/${BENCH_BUILD:-build-bench}
python=/usr/bin/python3
tool=$root/bench/bench_tool.py

mkdir -p "$build"
scripts/build.sh "$build" -DCMAKE_BUILD_TYPE=Release -DVL_BUILD_TESTS=OFF -DVL_BUILD_GUI=OFF >"$build/bench-build.log" 2>&1 ||
  { tail -30 "$build/bench-build.log" >&2; echo "bench: the release build failed (log: $build/bench-build.log)" >&2; exit 1; }
headless=$build/src/app/vlsinet-headless

work=$build/bench-work
out=$build/bench-results
rm -rf "$work" "$out"
mkdir -p "$work/server" "$work/curl" "$out"
results=$out/results.txt
: >"$results"
for name in http_proxy HTTP_PROXY https_proxy HTTPS_PROXY ftp_proxy FTP_PROXY all_proxy ALL_PROXY; do unset "$name"; done

host=$(sed -n 's/.*kBuiltInAddress = "\([^"]*\)".*/\1/p' src/data/builtin_account.h)
ftp_user=$(sed -n 's/.*kBuiltInUserName = "\([^"]*\)".*/\1/p' src/data/builtin_account.h)
ftp_password=$(sed -n 's/.*kBuiltInPassword = "\([^"]*\)".*/\1/p' src/data/builtin_account.h)

sim_pid=
finish() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  # The big files go in any case; the rest only when not asked to keep it.
  find "$work" -type f -size +64M -delete 2>/dev/null || true
  [ "${BENCH_KEEP:-0}" = 1 ] || rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

has_part() { case " $parts " in *" $1 "*) return 0 ;; *) return 1 ;; esac; }

# One location folder per scenario, so that each run lists only its files.
has_part http || has_part ftp && $python "$tool" tree "$work/server" CLIENT/BIG --big-mib "$mib"
has_part many && $python "$tool" tree "$work/server" CLIENT/MANY --files "$files" --bytes "$file_bytes"
has_part huge && [ "$huge_mib" -gt 0 ] && $python "$tool" tree "$work/server" CLIENT/HUGE --big-mib "$huge_mib"

$python tools/cloudsim.py serve --root "$work/server" --port 0 --ftp \
  --ftp-user "$ftp_user" --ftp-password "$ftp_password" --log "$work/requests.jsonl" \
  >"$work/simulator.out" 2>"$work/simulator.err" &
sim_pid=$!
wait_simulator_ready "$work/simulator.out" "$work/simulator.err" "$sim_pid" || exit 1
port=$(sed -n 's/^PORT //p' "$work/simulator.out")
ftp_port=$(sed -n 's/^FTPPORT //p' "$work/simulator.out")
: >"$work/requests.jsonl"

# A fresh prefix for every run: the program remembers its settings, and the
# inbox of the last run must not linger (nor fill the disk).
fresh_prefix() {
  rm -rf "$work/prefix"
  mkdir -p "$work/prefix/drive_c/VLSInet"
  printf '[Network]\r\nConnected=18\r\nConnectTo=%s:80:127.0.0.1:%s,%s:21:127.0.0.1:%s\r\n' \
    "$host" "$port" "$host" "$ftp_port" >"$work/prefix/platform.ini"
}

# robot FOLDER PROTOCOL: scripts/demo.robot's installer, over plain HTTP or FTP.
robot() {
  local protocol
  if [ "$2" = ftp ]; then
    protocol='press ?BPROTOCOLTYPE:RADIO2
press ?FTPPASSIVEMODE'
  else
    protocol='press ?BUSESSL'
  fi
  cat <<ROBOT
wait P1\$MODALWINDOW
access-code ?OUTNUMBER
press ?OKKEY
wait P1\$FTPINSTALLER
press ?BSTOREOWNER:RADIO1
type ?USERNAME "Bench Installer"
type ?USERLOCATION "Bench Store"
type ?FTP:LOCALFTP $1
type ?LOCATIONID 12
press ?POSRDBMS:RADIO1
press ?CMDFULL
press ?TAB3
$protocol
press ?TAB1
press ?OKBUTTON
press ?CANCELBUTTON
ROBOT
}

# timed CMD...: one bounded run; leaves "wall rss_kib rc start_epoch cpu" in $record.
record=$work/last.txt
timed() {
  local status=0
  $python "$tool" timed --timeout "$run_timeout" --record "$record" -- "$@" || status=$?
  return "$status"
}

fail_run() {
  echo "bench: $1" >&2
  [ -f "$2" ] && tail -5 "$2" >&2
  exit 1
}

# program_run SCENARIO FOLDER PROTOCOL RUN: a whole run of the program; checks
# that it ended well and that every file arrived whole.
program_run() {
  local scenario=$1 folder=$2 protocol=$3 run=$4 transcript=$work/transcript.jsonl
  local inbox before status=0 phases="- - - -"
  fresh_prefix
  robot "$folder" "$protocol" >"$work/bench.robot"
  before=$(wc -l <"$work/requests.jsonl")
  (cd "$work/prefix/drive_c/VLSInet" &&
    VLSINET_PREFIX=$work/prefix timed ${BENCH_WRAP:-} "$headless" "$work/bench.robot" "$transcript" >"$work/program.out" 2>&1) ||
    status=$?
  [ "$status" = 0 ] || fail_run "$scenario run $run: the program ended with $status" "$transcript"
  grep -q '"Download complete."' "$transcript" || fail_run "$scenario run $run: no \"Download complete.\"" "$transcript"
  inbox=$(find "$work/prefix/drive_c" -maxdepth 3 -type d -iname INBOX | head -1)
  check_files "$scenario" "$inbox" "$folder"
  if [ "$protocol" = http ]; then
    tail -n +"$((before + 1))" "$work/requests.jsonl" >"$work/slice.jsonl"
    read -r wall _ _ start _ <"$record"
    phases=$($python "$tool" span "$work/slice.jsonl" --start "$start" --wall "$wall")
  fi
  [ "$run" = warm-up ] || echo "$scenario program $run $(cut -d' ' -f1,2,5 "$record") $phases" >>"$results"
  rm -rf "$work/prefix"
}

# check_files SCENARIO DIR FOLDER: the files of the location, all there, sizes right.
check_files() {
  local updates=$work/server/FTP/ASP/$3/Updates name got
  for name in $(ls "$updates"); do
    [ -f "$2/$name" ] || fail_run "$1: $name did not arrive in $2" /dev/null
    got=$(stat -c %s "$2/$name")
    [ "$got" = "$(stat -c %s "$updates/$name")" ] || fail_run "$1: $name arrived with $got bytes" /dev/null
  done
}

# curl_run SCENARIO FOLDER PROTOCOL RUN: curl fetching the same files.
curl_run() {
  local scenario=$1 folder=$2 protocol=$3 run=$4 status=0
  rm -rf "$work/curl" && mkdir -p "$work/curl"
  case $protocol in
    http) timed curl -0 -sS --noproxy '*' -o "$work/curl/BIGDATA.ZIP" \
            "http://127.0.0.1:$port/kwsync/getFile.pyc?fullpath=/FTP/ASP/$folder/Updates/BIGDATA.ZIP" || status=$? ;;
    ftp) timed curl -sS --noproxy '*' -u "$ftp_user:$ftp_password" -o "$work/curl/BIGDATA.ZIP" \
           "ftp://127.0.0.1:$ftp_port/FTP/ASP/$folder/Updates/BIGDATA.ZIP" || status=$? ;;
    many) timed curl --http1.0 -sS --noproxy '*' -K "$work/many.curl" || status=$? ;;
  esac
  [ "$status" = 0 ] || fail_run "$scenario run $run: curl ended with $status" /dev/null
  check_files "$scenario" "$work/curl" "$folder"
  [ "$run" = warm-up ] || echo "$scenario curl $run $(cut -d' ' -f1,2,5 "$record") - - - -" >>"$results"
}

# scenario NAME FOLDER PROTOCOL BYTES FILES TITLE [CURL-KIND [RUNS]]: a
# warm-up, then RUNS pairs.
scenario() {
  local name=$1 folder=$2 protocol=$3 count=${8:-$runs} run
  echo "meta $name $4 $5 $6" >>"$results"
  echo "bench: $6 ($count runs after a warm-up)..." >&2
  program_run "$name" "$folder" "$protocol" warm-up
  curl_run "$name" "$folder" "${7:-$protocol}" warm-up
  for run in $(seq "$count"); do
    program_run "$name" "$folder" "$protocol" "$run"
    curl_run "$name" "$folder" "${7:-$protocol}" "$run"
  done
}

big_bytes=$((mib * 1024 * 1024))
if has_part http; then
  scenario http CLIENT/BIG http "$big_bytes" 1 "HTTP, 1 file of $mib MiB"
fi
if has_part many; then
  for n in $(seq -f %04g "$files"); do
    printf 'url = "http://127.0.0.1:%s/kwsync/getFile.pyc?fullpath=/FTP/ASP/CLIENT/MANY/Updates/F%s.UPD"\noutput = "%s/F%s.UPD"\n' \
      "$port" "$n" "$work/curl" "$n"
  done >"$work/many.curl"
  scenario many CLIENT/MANY http "$((files * file_bytes))" "$files" "HTTP, $files files of $file_bytes bytes" many
fi
if has_part ftp; then
  scenario ftp CLIENT/BIG ftp "$big_bytes" 1 "FTP, 1 file of $mib MiB"
fi
if has_part huge && [ "$huge_mib" -gt 0 ]; then
  scenario huge CLIENT/HUGE http "$((huge_mib * 1024 * 1024))" 1 "HTTP, 1 file of $huge_mib MiB" http "${BENCH_HUGE_RUNS:-1}"
fi

{
  echo "VLSInet download benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git -C "$root" rev-parse --short HEAD)"
  echo "$(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo
  $python "$tool" report "$results"
} | tee "$out/report.txt"
