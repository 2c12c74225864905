#!/usr/bin/env bash
# End-to-end tests of the tray program under Wine: korvana.exe runs in a
# fresh Wine prefix on a virtual display and korvana-probe drives it.
# Usage: e2e_test.sh WINDOWS_BUILD_DIR
set -u
build=${1:?usage: e2e_test.sh WINDOWS_BUILD_DIR}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh"

passed=0
failed=0
check() {  # check NAME COMMAND...: a case passes when COMMAND succeeds
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
  fi
}

# The probe's own exit status counts, not that of the filter after it.
probe() {
  wine "$build/tests/korvana-probe.exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

wine_env_start
trap wine_env_stop EXIT
app="$KORVANA_WINE_TMP/app"
mkdir -p "$app"
cp "$build/src/korvana.exe" "$app/"
cd "$app"

# --- Start: the hidden window appears with its title. ---
wine korvana.exe 2>/dev/null &
first=$!
# The title is "Korvana" until the first full check writes the tip into it.
title_is_korvana() {
  local title
  title=$(probe wait-window Korvana 20000)
  [ "$title" = "Korvana" ] || [[ "$title" == "Time remained to "* ]]
}
check "start shows the Korvana window" title_is_korvana

# --- A second copy ends at once with code 0 and leaves the first alone. ---
second_exits_zero() { timeout 30 wine korvana.exe 2>/dev/null; }
check "second instance exits with code 0" second_exits_zero
first_still_runs() { kill -0 "$first" 2>/dev/null && [ -n "$(probe wait-window Korvana 2000)" ]; }
check "first instance keeps running" first_still_runs

# --- Exit (1069) ends the program cleanly with code 0. ---
probe command Korvana 1069
check "Exit closes the window" probe wait-gone Korvana 15000
exit_code_zero() {
  local code
  wait "$first"
  code=$?
  [ "$code" -eq 0 ] || { echo "  exit code $code"; return 1; }
}
check "Exit ends with code 0" exit_code_zero

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
