#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan) and
# runs each for a while.
#
#   fuzz/run_fuzzers.sh [SECONDS_EACH]      (default 20)
#
# Longer runs keep their corpus in build/fuzz/corpus/<target>, so running
# again with a larger SECONDS_EACH (e.g. 3600) continues where it stopped.
# Needs clang (Debian package clang). A crash leaves its input in build/fuzz.
set -eu

seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out"
cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -ffp-contract=off -Wall -Wextra -Werror -I"$root/src" -I"$root/tests")

"$cxx" "${flags[@]}" "$root/fuzz/fuzz_mp3_header.cpp" "$root/src/convert/mp3_to_wav.cpp" \
  -o "$out/fuzz_mp3_header"
"$cxx" "${flags[@]}" "$root/fuzz/fuzz_time_datagram.cpp" "$root/src/nettime/time_protocol.cpp" \
  "$root/src/nettime/clock_correction.cpp" "$root/src/platform/wall_clock_posix.cpp" \
  -o "$out/fuzz_time_datagram"

status=0
for target in fuzz_mp3_header fuzz_time_datagram; do
  corpus=$out/corpus/$target
  mkdir -p "$corpus"
  # Seeds: the MP3 fixtures for the header target.
  if [[ $target == fuzz_mp3_header ]]; then
    cp -n "$root"/tests/data/mp3/*.mp3 "$corpus"/ 2>/dev/null || true
  fi
  echo "fuzz: $target for ${seconds}s"
  if ! (cd "$out" && "./$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        "$corpus" >"$out/$target.log" 2>&1); then
    tail -n 40 "$out/$target.log" >&2
    echo "fuzz: $target FAILED (input saved in $out)" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units" "$out/$target.log" || true
  fi
done
exit $status
