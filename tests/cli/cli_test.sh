#!/usr/bin/env bash
# Checks the console front end's contract: its output lines, exit statuses
# and error messages. Runs the native binary, or a .exe under Wine.
# Usage: cli_test.sh PATH_TO_KORVANA_CLI
set -u
cli=${1:?usage: cli_test.sh PATH_TO_KORVANA_CLI}
here=$(cd "$(dirname "$0")" && pwd)
run() {
  case "$cli" in
    *.exe) WINEDEBUG=-all wine "$cli" "$@" ;;
    *) "$cli" "$@" ;;
  esac
}
if [[ "$cli" == *.exe ]]; then
  . "$here/../win/wine_env.sh"
  wine_env_start
  trap wine_env_stop EXIT
fi

passed=0
failed=0
# expect NAME STATUS EXPECTED_STDOUT_FILE_OR_STRING -- ARGS...
expect() {
  local name=$1 status=$2 expected=$3
  shift 4
  local out err code
  out=$(run "$@" 2>/tmp/korvana-cli-err.$$ | tr -d '\r')
  code=${PIPESTATUS[0]}
  err=$(tr -d '\r' </tmp/korvana-cli-err.$$)
  rm -f /tmp/korvana-cli-err.$$
  if [ "$code" -eq "$status" ] && [ "$out" = "$expected" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name (exit $code, wanted $status)"
    diff <(echo "$expected") <(echo "$out") | head -20
    [ -n "$err" ] && echo "  stderr: $err"
  fi
}
# expect_error NAME -- ARGS...: exit 2, nothing on stdout, one line on stderr
expect_error() {
  local name=$1
  shift 2
  local out err code
  out=$(run "$@" 2>/tmp/korvana-cli-err.$$)
  code=$?
  err=$(tr -d '\r' </tmp/korvana-cli-err.$$)
  rm -f /tmp/korvana-cli-err.$$
  if [ "$code" -eq 2 ] && [ -z "$out" ] && [ "$(echo "$err" | wc -l)" -eq 1 ] && [ -n "$err" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name (exit $code, stdout '$out', stderr '$err')"
  fi
}

# The worked example, one invocation per row.
while IFS='|' read -r name args timings; do
  [ -z "$name" ] && continue
  expected=""
  i=0
  for label in FAJR SUNRISE ISHRAQ MID-DAY ZUHR ASR-I ASR-II FADING MAGHRIB ISHA; do
    set -- $timings
    shift $i
    expected+=$(printf '%-8s %s' "$label" "$1")$'\n'
    i=$((i + 1))
  done
  # shellcheck disable=SC2086
  expect "times $name" 0 "${expected%$'\n'}" -- times $args
done <"$here/worked_example.txt"

expect_error "unknown option" -- times --latitude 41
expect_error "malformed latitude" -- times --lat 41,01
expect_error "latitude out of range" -- times --lat 91
expect_error "malformed date" -- times --date 2014-13-01
expect_error "missing value" -- times --lat
expect_error "mode out of range" -- times --mode 6
expect_error "unknown command" -- sunrise
help_names_every_option() {
  local text
  text=$(run --help | tr -d '\r')
  for option in --lat --lon --tz --date --mode --fajr-angle --isha-angle; do
    grep -q -- "$option" <<<"$text" || return 1
  done
}
if help_names_every_option; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL help"; fi

echo "cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
