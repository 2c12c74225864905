#!/usr/bin/env bash
# Builds Korvana every way and runs every test: the unit tests natively, under
# AddressSanitizer + UBSan and as a Windows program under Wine, the console
# front end's checks, and the tray program's end-to-end cases under Wine.
# Installs what is missing first. Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh || { echo "could not install the build dependencies" >&2; exit 1; }

passed=0
failed=0
step() {  # step NAME COMMAND...: runs one suite and counts it
  local name=$1
  shift
  echo "=== $name"
  if "$@"; then
    passed=$((passed + 1))
    echo "=== $name: ok"
  else
    failed=$((failed + 1))
    echo "=== $name: FAILED"
  fi
}

. tests/win/wine_env.sh

step "native build" bash scripts/build.sh native
step "native unit tests" ctest --test-dir build/native --output-on-failure
step "console front end" bash tests/cli/cli_test.sh build/native/src/korvana-cli
step "sanitizer build" bash scripts/build.sh asan
step "unit tests under AddressSanitizer and UBSan" env ASAN_OPTIONS=detect_leaks=1 \
  UBSAN_OPTIONS=print_stacktrace=1 build/asan/tests/korvana_tests
step "windows build (x86-64)" bash scripts/build.sh win64
step "windows build (i686) compiles" bash scripts/build.sh win32
run_windows_unit_tests() {
  wine_env_start
  wine build/win64/tests/korvana_tests.exe
  local code=$?
  wine_env_stop
  return $code
}
step "unit tests under Wine" run_windows_unit_tests
step "console front end under Wine" bash tests/cli/cli_test.sh build/win64/src/korvana-cli.exe
step "time servers natively and under Wine" bash tests/net/run_time_server_tests.sh build/native build/win64
step "fuzzing the MP3 header and time datagrams" bash fuzz/run_fuzzers.sh 20
step "tray program end-to-end under Wine" bash tests/win/e2e_tray_test.sh build/win64
step "dialogs end-to-end under Wine" bash tests/win/e2e_dialogs_test.sh build/win64
step "graphics, wallpaper and menu commands under Wine" bash tests/win/e2e_graphics_test.sh build/win64
step "release packages" env KORVANA_WIN_BUILD=build/win64 bash scripts/release.sh
step "installer under Wine" bash tests/win/installer_test.sh out build/win64

echo
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
