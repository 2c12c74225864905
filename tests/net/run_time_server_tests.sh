#!/usr/bin/env bash
# Runs the time-server tests against a real RFC 868 server: xinetd's built-in
# "time" service, started here on 127.0.0.1 with a private configuration, and
# stopped at the end. Loopback only; the host clock is never set.
#
#   tests/net/run_time_server_tests.sh NATIVE_BUILD_DIR [WINDOWS_BUILD_DIR]
#
# NATIVE_BUILD_DIR holds tests/korvana_tests, tests/korvana-loopback-sender
# and src/korvana-cli; the optional
# WINDOWS_BUILD_DIR holds the .exe files, run under Wine (tests/win/wine_env.sh:
# a fresh prefix, Xvfb when no display answers). Needs the Debian package xinetd (and
# wine and xvfb for the Windows run); installs nothing itself.
set -u

native=${1:?usage: $0 NATIVE_BUILD_DIR [WINDOWS_BUILD_DIR]}
windows=${2:-}
filter='TimeSocket*:ClockCorrection*:TimeProtocol*:TimeServerSettings*'

xinetd_bin=$(command -v xinetd || echo /usr/sbin/xinetd)
if [[ ! -x $xinetd_bin ]]; then
  echo "run_time_server_tests: xinetd is missing (Debian package xinetd)" >&2
  exit 1
fi

work=$(mktemp -d /tmp/korvana-timeserver.XXXXXX)
server_pid=
sender_pid=
wine_started=
cleanup() {
  [[ -n $server_pid ]] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  [[ -n $sender_pid ]] && kill "$sender_pid" 2>/dev/null && wait "$sender_pid" 2>/dev/null
  [[ -n $wine_started ]] && wine_env_stop
  rm -rf "$work"
}
trap cleanup EXIT

# Start the server on a free port of 127.0.0.1.
port=
for _ in $(seq 1 20); do
  candidate=$((30000 + RANDOM % 20000))
  {
    echo "service time"
    echo "{"
    echo "  type        = INTERNAL UNLISTED"
    echo "  id          = time-dgram"
    echo "  socket_type = dgram"
    echo "  protocol    = udp"
    echo "  wait        = yes"
    [[ $(id -u) == 0 ]] && echo "  user        = root"
    echo "  bind        = 127.0.0.1"
    echo "  port        = $candidate"
    echo "}"
  } >"$work/xinetd.conf"
  : >"$work/xinetd.log"
  "$xinetd_bin" -dontfork -f "$work/xinetd.conf" -filelog "$work/xinetd.log" \
    -pidfile "$work/xinetd.pid" >/dev/null 2>&1 &
  server_pid=$!
  for _ in $(seq 1 50); do
    grep -q "Started working" "$work/xinetd.log" 2>/dev/null && break
    sleep 0.1
  done
  if grep -q "Started working: 1 available service" "$work/xinetd.log"; then
    port=$candidate
    break
  fi
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  server_pid=
done
if [[ -z $port ]]; then
  echo "run_time_server_tests: xinetd did not start its time service" >&2
  cat "$work/xinetd.log" >&2
  exit 1
fi
echo "run_time_server_tests: xinetd time service on 127.0.0.1:$port (udp)"
export KORVANA_TIME_SERVER_PORT=$port

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The unit tests; the real-server case must run, not skip.
run_unit_tests() {  # label, command...
  local label=$1
  shift
  local log="$work/$label.log"
  "$@" --gtest_filter="$filter" >"$log" 2>&1
  local status=$?
  tail -n 3 "$log"
  if [[ $status != 0 ]]; then
    grep -E "Failure|FAILED" -A6 "$log" | head -60 >&2
    fail "$label unit tests"
  elif grep -q "SKIPPED \] TimeSocket.RealTimeServerOnLoopback" "$log"; then
    fail "$label: the real time server case was skipped"
  fi
}

# korvana-cli nettime against the server (answer) and against a silent port.
check_cli() {  # label, ini path as the program sees it, command...
  local label=$1 ini=$2
  shift 2
  local out
  out=$("$@" nettime --ini "$ini" --port "$port" 2>&1)
  local status=$?
  if [[ $status != 0 ]] || ! grep -q "^Host Address : 127.0.0.1" <<<"$out" ||
    ! grep -q "^Net Time :  " <<<"$out" || ! grep -q "^Drift: " <<<"$out"; then
    echo "$out" >&2
    fail "$label: korvana-cli nettime with a server (status $status)"
  fi
  out=$("$@" nettime --ini "$ini" --port 9 2>&1)
  status=$?
  if [[ $status != 1 ]] || ! grep -q "No response from any server !" <<<"$out"; then
    echo "$out" >&2
    fail "$label: korvana-cli nettime without a server (status $status)"
  fi
}

# xinetd leaves some requests unanswered: the server is listed several times.
{
  printf '[Time Servers]\r\nHostTimeout=1000\r\nHost0=\r\n'
  for i in 1 2 3 4 5 6 7 8; do printf 'Host%d=localhost\r\n' "$i"; done
} >"$work/korvana.ini"

run_unit_tests native "$native/tests/korvana_tests"
check_cli native "$work/korvana.ini" "$native/src/korvana-cli"

if [[ -n $windows ]]; then
  # Wine cannot send from 127.0.0.x other than 127.0.0.1: a native helper does.
  for _ in $(seq 1 20); do
    sender_port=$((30000 + RANDOM % 20000))
    "$native/tests/korvana-loopback-sender" "$sender_port" 2>/dev/null &
    sender_pid=$!
    sleep 0.3
    kill -0 "$sender_pid" 2>/dev/null && break  # bound and running
    wait "$sender_pid" 2>/dev/null
    sender_pid=
  done
  [[ -z $sender_pid ]] && fail "korvana-loopback-sender did not start"
  export KORVANA_LOOPBACK_SENDER_PORT=$sender_port
  # shellcheck source=../win/wine_env.sh
  . "$(dirname "$0")/../win/wine_env.sh"
  wine_env_start
  wine_started=1
  run_unit_tests windows wine "$windows/tests/korvana_tests.exe"
  check_cli windows "$(winepath -w "$work/korvana.ini" 2>/dev/null)" wine "$windows/src/korvana-cli.exe"
  if grep -q "SKIPPED \]" "$work/windows.log"; then
    grep "SKIPPED \]" "$work/windows.log" >&2
    fail "windows: socket cases were skipped"
  fi
fi

if [[ $failures != 0 ]]; then
  echo "run_time_server_tests: $failures failure(s)" >&2
  exit 1
fi
echo "run_time_server_tests: all passed"
