#!/usr/bin/env bash
# End-to-end tests of the dialogs under Wine: korvana.exe runs in a fresh
# Wine prefix, korvana-probe opens each dialog through its menu command,
# types into it, presses its buttons, and the INI file, the registry and the
# dialogs' texts tell what happened. A screenshot of each dialog is saved as
# PNG into SCREENSHOT_DIR (default WINDOWS_BUILD_DIR/e2e-screens).
# Usage: e2e_dialogs_test.sh WINDOWS_BUILD_DIR [SCREENSHOT_DIR]
set -u -o pipefail  # a probe's exit status passes through its output filter
build=${1:?usage: e2e_dialogs_test.sh WINDOWS_BUILD_DIR [SCREENSHOT_DIR]}
build=$(cd "$build" && pwd)
shots=${2:-$build/e2e-screens}
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh"
. "$here/e2e_cases.sh"

quietly() { "$@" >/dev/null; }
# The dialog opens (closes) within the time, or the case says so.
opened() { probe wait-dialog "$1" "${2:-10000}" >/dev/null || { echo "  '$1' did not open"; return 1; }; }
closed() { probe dialog-gone "$1" "${2:-5000}" || { echo "  '$1' did not close"; return 1; }; }
# expect WHAT ACTUAL: compares, and says what differed.
expect() {
  [ "$2" = "$1" ] || { echo "  expected '$1', got '$2'"; return 1; }
}
ini_line() { grep -q -x -F "$1" <(tr -d '\r' < korvana.ini 2>/dev/null); }
# ini_has LINE...: the INI file holds every line, within a few seconds (the
# program writes it once the dialog has closed).
ini_has() {
  local i line missing
  for i in $(seq 1 50); do
    missing=""
    for line in "$@"; do ini_line "$line" || { missing=$line; break; }; done
    [ -z "$missing" ] && return 0
    sleep 0.1
  done
  echo "  korvana.ini lacks '$missing'"
  return 1
}
ini_lacks() { ! grep -q -F "$1" <(tr -d '\r' < korvana.ini 2>/dev/null); }
# The whole screen (the Wine desktop with the dialog on it) as PNG, once the
# dialog has had time to paint.
screenshot() {
  sleep 1
  import -window root "$shots/$1.png" 2>/dev/null || echo "  (no screenshot $1)"
}

wine_env_start
trap wine_env_stop EXIT
# Screenshots want what a Windows desktop has: the system's raster fonts
# (Courier, MS Sans Serif) and window frames with captions, which Wine draws
# itself on a virtual desktop.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# No sound card here: no audio driver, and no ALSA complaints.
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
wineserver -w >/dev/null 2>&1

app="$KORVANA_WINE_TMP/app"
mkdir -p "$app"
cp "$build/src/korvana.exe" "$app/"
cd "$app"
# Both sections hold keys and "Adhan/Salawaat" is set: no first-run dialogs,
# no manual. Box mode shows alerts as message boxes. A holy-day warning for
# tomorrow counts as given today, so that none interrupts the cases.
printf '[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=2897\r\nTime Zone=180\r\nCity Name=Istanbul\r\nCountry Name=Turkey\r\n[Options]\r\nAdhan/Salawaat=Yes\r\nmessages=2\r\nLast Holy Day=%s\r\n' \
  "$(date +%d/%m/%Y)" > korvana.ini
# Short silent adhan and supplication files, so that the adhan plays
# without error boxes.
sox -n -r 8000 -c 1 -b 16 ezan.wav trim 0 0.2 2>/dev/null
cp ezan.wav ezandua.wav
printf 'Mecca;Saudi Arabia;3;21,4225;39,8262\r\nIstanbul;Turkey;2;41,01;28,97\r\nLondon;United Kingdom;0;51.5074;-0.1278\r\n' > korvana.csv

start_korvana() {
  wine korvana.exe &
  korvana_pid=$!
  [ -n "$(probe wait-window Korvana 20000)" ]
}
stop_korvana() {
  probe command Korvana 1069
  probe wait-gone Korvana 15000 && wait "$korvana_pid"
}
check "the program starts" start_korvana

# --- Calculation Parameters: an out-of-range margin blocks Save. ---
calc="Calculation Parameters"
probe command Korvana 1040
check "Calculation Parameters opens from its menu command" quietly probe wait-dialog "$calc" 10000
screenshot calc_params
save_blocked() {
  probe set-text "$calc" 1075 5  # FAJR: -30..0
  probe click "$calc" 1
  sleep 1
  probe wait-dialog "$calc" 100 >/dev/null || { echo "  the dialog closed"; return 1; }
  expect 1075 "$(probe focus "$calc")" || return 1
  expect 1 "$(probe enabled "$calc" 1)" || return 1  # enabled again after 333 ms
  ini_lacks "FAJR Margin"
}
check "an out-of-range margin blocks Save, keeps the focus and writes nothing" save_blocked
cancel_reloads() {
  probe click "$calc" 2
  closed "$calc" || return 1
  probe command Korvana 1040
  opened "$calc" 10000 || return 1
  expect -2 "$(probe get-text "$calc" 1075)"
}
check "Cancel drops the typed margin" cancel_reloads

# --- "List" with a row number loads that row's place. ---
list_row() {
  [ "$(probe checked "$calc" 1087)" = 1 ] || probe click "$calc" 1087
  sleep 0.3
  expect 1 "$(probe enabled "$calc" 1088)" || return 1
  expect 0 "$(probe enabled "$calc" 1089)" || return 1
  probe set-text "$calc" 1088 3
  probe click "$calc" 1099  # Apply
  sleep 1
  expect London "$(probe get-text "$calc" 1089)" || return 1
  expect "United Kingdom" "$(probe get-text "$calc" 1090)" || return 1
  expect 51.51 "$(probe get-text "$calc" 1091)" || return 1
  expect -0.13 "$(probe get-text "$calc" 1092)" || return 1
  expect " 0.00" "$(probe get-text "$calc" 1093)"
}
check "Apply with List and row 3 shows row 3's place" list_row
save_list() {
  probe click "$calc" 1
  closed "$calc" || return 1
  ini_has "City Name=London" "Use List=1" "City Nr.=3" "Latitude=5151" "Longitude=-13" \
    "Time Zone=0"
}
check "Save writes the row's place to the INI file" save_list

# --- Real-time off: the program computes for the typed moment. ---
typed_moment() {
  probe command Korvana 1040
  opened "$calc" 10000 || return 1
  probe click "$calc" 1117  # Real-time off
  sleep 0.3
  expect 0 "$(probe checked "$calc" 1117)" || return 1
  expect 1 "$(probe enabled "$calc" 1113)" || return 1
  probe set-text "$calc" 1113 "21/06/2014"
  probe set-text "$calc" 1114 "12:00"
  probe click "$calc" 1
  closed "$calc"
}
check "a typed date and time are taken with Real-time off" typed_moment
timing="London / United Kingdom*"
probe command Korvana 1027
check "Timings opens from its menu command" quietly probe wait-dialog "$timing" 10000
screenshot timing_compact
timing_shows_moment() {
  sleep 1
  local calendar
  calendar=$(probe get-text "$timing" 1132 | head -1)
  expect "21 June 2014 Sat 12:00" "$calendar" || return 1
  expect ">>" "$(probe get-text "$timing" 1131)" || return 1
  # The same timings as the console program computes for that place and day.
  local cli
  cli=$(wine "$build/src/korvana-cli.exe" times --lat 51.51 --lon -0.13 --tz 0 \
          --date 2014-06-21 --mode 4 2>/dev/null | tr -d '\r')
  zuhr=$(echo "$cli" | awk '$1 == "ZUHR" { print $2 }')
  expect "$(echo "$cli" | awk '$1 == "FAJR" { print $2 }')" "$(probe get-text "$timing" 1121)" &&
    expect "$zuhr" "$(probe get-text "$timing" 1125)" &&
    expect "$(echo "$cli" | awk '$1 == "ISHA" { print $2 }')" "$(probe get-text "$timing" 1130)"
}
zuhr=""
check "the Timing dialog shows the typed moment and its timings" timing_shows_moment
full_view() {
  probe click "$timing" 1131
  sleep 1
  expect "<<" "$(probe get-text "$timing" 1131)" || return 1
  [ -n "$(probe get-text "$timing" 1133)" ]
}
check "the view button switches to the full view" full_view
screenshot timing_full
calendar_line() { probe get-text "$timing" 1132 | head -1; }
# wait_calendar LINE: the Timing dialog's first calendar line becomes LINE.
wait_calendar() {
  local i
  for i in $(seq 1 30); do
    [ "$(calendar_line)" = "$1" ] && return 0
    sleep 0.1
  done
  expect "$1" "$(calendar_line)"
}
# wait_field ID TEXT: the Calculation Parameters field shows TEXT.
wait_field() {
  local i
  for i in $(seq 1 30); do
    [ "$(probe get-text "$calc" "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  expect "$2" "$(probe get-text "$calc" "$1")"
}
wheel_steps() {
  probe command Korvana 1040  # nested in the Timing dialog's loop
  opened "$calc" || return 1
  probe wheel "$calc" 1114 -120  # backward: one minute later
  wait_field 1114 12:01 || return 1
  wait_calendar "21 June 2014 Sat 12:01" || return 1
  probe wheel "$calc" 1113 120  # forward: one day earlier
  wait_field 1113 20/06/2014 || return 1
  wait_calendar "20 June 2014 Fri 12:01" || return 1
  # (No holy day falls on the days after these dates: a warning would wait
  # for its OK.)
  probe set-text "$calc" 1113 31/12/2023
  probe click "$calc" 1099
  sleep 0.5
  probe wheel "$calc" 1113 -120  # backward: into the next year
  wait_field 1113 01/01/2024 || return 1
  wait_calendar "1 January 2024 Mon 12:01" || return 1
  probe wheel "$calc" 1114 120
  probe wheel "$calc" 1114 120
  wait_field 1114 11:59 || return 1
  # Cancel keeps the date and time.
  probe click "$calc" 2
  closed "$calc" || return 1
  wait_calendar "1 January 2024 Mon 11:59"
}
check "wheel steps move the date and time, and the tick refreshes the open Timing dialog" wheel_steps
probe click "$timing" 1
check "OK closes the Timing dialog" probe dialog-gone "$timing" 5000

adhan_box() {
  [ -n "$zuhr" ] || { echo "  no ZUHR time"; return 1; }
  probe command Korvana 1040
  opened "$calc" 10000 || return 1
  probe set-text "$calc" 1113 "21/06/2014"
  probe set-text "$calc" 1114 "$zuhr"
  probe click "$calc" 1
  closed "$calc" || return 1
  local text
  text=$(probe message-text Korvana 15000)
  screenshot adhan_box
  probe close-message Korvana
  case "$text" in
    *"ZUHR ADHAN TIME..."*) return 0 ;;
    *) echo "  adhan box text: '$text'"; return 1 ;;
  esac
}
check "a typed ZUHR minute brings the ZUHR adhan box" adhan_box

# --- Options: Run at Startup writes and removes the Run value. ---
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
options_save_startup() {
  probe command Korvana 1058
  opened Options 10000 || return 1
  screenshot options
  expect 0 "$(probe checked Options 1059)" || return 1
  probe click Options 1059
  sleep 0.3
  # The registry is written only by Save.
  ! wine reg query "$run_key" /v Korvana >/dev/null 2>&1 || return 1
  probe click Options 1
  closed Options || return 1
  wine reg query "$run_key" /v Korvana 2>/dev/null | tr -d '\r' | grep -q -i 'korvana\.exe'
}
check "Run at Startup and Save write the Run value" options_save_startup
options_remove_startup() {
  probe command Korvana 1058
  opened Options 10000 || return 1
  expect 1 "$(probe checked Options 1059)" || return 1
  probe click Options 1059
  probe click Options 1
  closed Options || return 1
  ! wine reg query "$run_key" /v Korvana >/dev/null 2>&1
}
check "Run at Startup off and Save remove the Run value" options_remove_startup

# --- About. ---
probe command Korvana 1062
check "About opens from its menu command" quietly probe wait-dialog "About..." 10000
screenshot about
probe click "About..." 1
check "OK closes the About box" probe dialog-gone "About..." 5000

# --- Tally: Add and Close store the counter, which survives a restart. ---
tally_add_close() {
  probe command Korvana 1064  # the second counter
  opened Tally 10000 || return 1
  screenshot tally
  expect Tally-2 "$(probe get-text Tally 1118)" || return 1
  expect 0 "$(probe get-text Tally 1119)" || return 1
  expect 1 "$(probe get-text Tally 1120)" || return 1
  probe set-text Tally 1118 Dhikr
  probe set-text Tally 1119 41
  probe click Tally 6
  sleep 0.3
  expect 42 "$(probe get-text Tally 1119)" || return 1
  probe click Tally 1
  closed Tally || return 1
  ini_has "Tally-2 Name=Dhikr" "Tally-2 Value=42" "Tally-2 Increment=1"
}
check "Tally Add and Close store name, value and increment" tally_add_close
two_tallies() {
  probe command Korvana 1065  # the third counter
  opened Tally || return 1
  probe command Korvana 1066  # the fourth, nested in the third's loop
  local i
  for i in $(seq 1 50); do  # wait for a second "Tally" dialog
    [ "$(probe get-text Tally 1118)" = Tally-4 ] && break
    sleep 0.1
  done
  expect Tally-4 "$(probe get-text Tally 1118)" || return 1
  probe set-text Tally 1118 Fourth
  probe click Tally 1
  sleep 1
  expect Tally-3 "$(probe get-text Tally 1118)" || return 1
  probe set-text Tally 1118 Third
  probe click Tally 1
  closed Tally || return 1
  ini_has "Tally-3 Name=Third" "Tally-4 Name=Fourth" &&
    [ -n "$(probe wait-window Korvana 2000)" ]
}
check "two tally dialogs open at once each store their own counter" two_tallies
check "the program exits" stop_korvana
check "the program starts again" start_korvana
tally_after_restart() {
  probe command Korvana 1064
  opened Tally 10000 || return 1
  expect Dhikr "$(probe get-text Tally 1118)" || return 1
  expect 42 "$(probe get-text Tally 1119)" || return 1
  probe click Tally 1
  closed Tally
}
check "the tally counter and its name survive a restart" tally_after_restart
check "the program exits at the end" stop_korvana

echo "e2e dialogs: $passed passed, $failed failed (screenshots in $shots)"
[ "$failed" -eq 0 ]
