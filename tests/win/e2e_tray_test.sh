#!/usr/bin/env bash
# End-to-end cases of the tray program under Wine: start and exit, one copy
# only, the first run, the tip against the console front end, the menu
# switches as they reach the INI file, and a relay port that cannot be opened.
# Usage: e2e_tray_test.sh WINDOWS_BUILD_DIR
set -u
build=${1:?usage: e2e_tray_test.sh WINDOWS_BUILD_DIR}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh"
. "$here/e2e_cases.sh"

ini_value() {  # ini_value FILE KEY: the value of the first line KEY=...
  tr -d '\r' <"$1" | awk -v key="$2" 'index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

wine_env_start
trap wine_env_stop EXIT

# A fresh folder with the program and its sounds, and no settings file.
new_app() {
  app=$(mktemp -d "$KORVANA_WINE_TMP/app.XXXX")
  cp "$build/src/korvana.exe" "$build/src/korvana-cli.exe" "$app/"
  cp "$here/../../data/sounds/"*.wav "$app/" 2>/dev/null || true
  cd "$app" || exit 1
}
start_korvana() {
  wine korvana.exe 2>/dev/null &
  program=$!
  probe wait-window Korvana 20000 >/dev/null
}
stop_korvana() {
  probe command Korvana 1069
  probe wait-gone Korvana 15000
  wait "$program"
}

# --- First run: no INI file. Both settings dialogs open in turn; Cancel in
# both keeps the defaults; the message mode is written back as 2. ---
new_app
start_korvana
# The title is "Korvana" until the first full check writes the tip into it.
title_is_korvana() {
  local title
  title=$(probe wait-window Korvana 20000)
  [ "$title" = "Korvana" ] || [[ "$title" == "Time remained to "* ]]
}
check "start shows the Korvana window" title_is_korvana
check "first run opens Calculation Parameters" probe wait-dialog "Calculation Parameters" 20000
probe click "Calculation Parameters" 2 >/dev/null
check "then the Options dialog" probe wait-dialog "Options" 20000
probe click "Options" 2 >/dev/null
probe dialog-gone "Options" 10000
first_run_writes_messages() { [ "$(ini_value korvana.ini messages)" = 2 ]; }
check "first run writes messages = 2" first_run_writes_messages
no_calc_keys_written() { ! grep -qi "Latitude" korvana.ini; }
check "Cancel writes no calculation parameters" no_calc_keys_written
stop_korvana
check "exit writes Adhan/Salawaat = Yes" bash -c "tr -d '\r' <korvana.ini | grep -qx 'Adhan/Salawaat=Yes'"
check "exit writes Wake Up = No" bash -c "tr -d '\r' <korvana.ini | grep -qx 'Wake Up=No'"

# --- A configured place: the title is the tip the console front end gives
# for the same settings and moment. ---
new_app
cat >korvana.ini <<'INI'
[Calculation Parameters]
Latitude=4101
Longitude=2897
Time Zone=180
Windows TZ=0
DLS=0
Windows DLS=0
Calc. Mode=4
[Options]
Adhan/Salawaat=Yes
Relay COM-port=3
Relay Advance=0
INI
start_korvana
title_matches_cli() {
  local attempt title expected
  for attempt in 1 2 3; do
    sleep 2
    title=$(probe title Korvana)
    expected=$(wine korvana-cli.exe now --ini korvana.ini 2>/dev/null | tr -d '\r' | head -n 1)
    [ "$title" = "$expected" ] && return 0
  done
  echo "  title '$title', console '$expected'"
  return 1
}
check "title is the tip of korvana-cli now" title_matches_cli
check "tip counts to a named timing" bash -c "[[ \"\$(wine '$build/tests/korvana-probe.exe' title Korvana 2>/dev/null)\" == 'Time remained to '* ]]"

probe command Korvana 1044   # Messages > Balloon
balloon_written() { sleep 1; [ "$(ini_value korvana.ini messages)" = 1 ]; }
check "Balloon writes messages = 1" balloon_written
probe command Korvana 1043   # Messages > None
none_written() { sleep 1; [ "$(ini_value korvana.ini messages)" = 0 ]; }
check "None writes messages = 0" none_written
probe command Korvana 1045   # Messages > Box
box_written() { sleep 1; [ "$(ini_value korvana.ini messages)" = 2 ]; }
check "Box writes messages = 2" box_written

# Settings > Select Adhan File > ASR: the chosen file is kept under the key
# of the ASR timing in use.
cp ezan.wav my-asr.wav
asr_file_chosen() {
  local title="Select adhan file for ASR-I" chosen
  chosen=$(winepath -w "$PWD/my-asr.wav" 2>/dev/null)
  probe command Korvana 1055
  probe wait-dialog "$title" 10000 >/dev/null || { echo "  no file dialog"; return 1; }
  probe set-text "$title" 1148 "$chosen"
  probe click "$title" 1
  probe dialog-gone "$title" 10000 || return 1
  sleep 1
  [ "$(ini_value korvana.ini ASR-I)" = "$chosen" ] || {
    echo "  ASR-I=$(ini_value korvana.ini ASR-I)"
    return 1
  }
}
check "Select Adhan File > ASR writes the ASR-I key" asr_file_chosen
probe command Korvana 1149   # Wake Up Computer on

# Recite Adhan > FAJR with a relay on COM3, which Wine cannot open here.
probe command Korvana 1070
relay_error_box() { [ "$(probe message-text Error 15000)" = "COM3 cannot be initialized..." ]; }
check "a relay port that cannot be opened is reported" relay_error_box
probe close-message Error

probe command Korvana 1042   # Adhan / Salawaat off
stop_korvana
adhan_off_written() { [ "$(ini_value korvana.ini Adhan/Salawaat)" = No ]; }
check "Adhan / Salawaat off is written as No at exit" adhan_off_written
wake_up_written() { [ "$(ini_value korvana.ini "Wake Up")" = Yes ]; }
check "Wake Up Computer on is written as Yes at exit" wake_up_written

# --- A second copy is refused while the first runs; Exit (1069) ends the
# program cleanly with code 0. ---
start_korvana
second_refused() {
  timeout 30 wine korvana.exe 2>/dev/null && kill -0 "$program" 2>/dev/null &&
    [ -n "$(probe wait-window Korvana 2000)" ]
}
check "a second copy ends with code 0 and the first runs on" second_refused
probe command Korvana 1069
check "Exit closes the window" probe wait-gone Korvana 15000
exit_code_zero() {
  local code
  wait "$program"
  code=$?
  [ "$code" -eq 0 ] || { echo "  exit code $code"; return 1; }
}
check "Exit ends with code 0" exit_code_zero

echo "e2e-tray: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
