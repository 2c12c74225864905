# What the end-to-end scripts share: counting cases and calling the probe.
# Source it after setting `build` (the Windows build directory).

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
