#!/usr/bin/env bash
# End-to-end tests of the graph window, the wallpaper, the reports, the
# clock correction and the MP3 converter under Wine. korvana.exe runs in a
# fresh Wine prefix on a virtual display of its own, korvana-probe sends the
# menu commands, and what the program shows or writes is held against the
# console front end's output for the same moment: screenshots of every
# graphic against `korvana-cli render|map|graph` (korvana-picture-diff), the
# report files against `korvana-cli report`, the converted file against
# `korvana-cli mp3towav`. The clock correction asks xinetd's time service on
# 127.0.0.1 (port 37, so it needs root) and the clock is never set: every
# drift question is answered No.
#
# Screenshots of the graphics are saved as PNG into SCREENSHOT_DIR (default
# WINDOWS_BUILD_DIR/e2e-graphics-screens).
# Usage: e2e_graphics_test.sh WINDOWS_BUILD_DIR [SCREENSHOT_DIR]
set -u
build=${1:?usage: e2e_graphics_test.sh WINDOWS_BUILD_DIR [SCREENSHOT_DIR]}
build=$(cd "$build" && pwd)
shots=${2:-$build/e2e-graphics-screens}
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "$here/../data" && pwd)
. "$here/wine_env.sh"
. "$here/e2e_cases.sh"

# The screen: the 800 x 400 maps and the earth view stretch by exactly 2.
W=1600
H=800
# Two rasterisers draw the same line within this many pixels of each other.
NEAR_RADIUS=2
# Where wide needles meet at a dial's centre the two stack them differently;
# this many lit pixels of one picture may go without a match in the other.
STRAY_PIXELS=8
# The moment of the pictures, set in the Calculation Parameters dialog.
DAY=21/06/2014
ISO_DAY=2014-06-21
TIME=12:00

# The console front end's own exit status counts, not the filter's.
cli() {
  wine "$app/korvana-cli.exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
diff_pictures() {  # prints the comparison's last line, returns its verdict
  local out status
  out=$(wine "$build/tests/korvana-picture-diff.exe" "$@" 2>&1)
  status=$?
  printf '%s\n' "$out" | tr -d '\r' | tail -1 | sed 's/^/  /'
  return $status
}
winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# expect WHAT ACTUAL: compares, and says what differed.
expect() {
  [ "$2" = "$1" ] || { echo "  expected '$1', got '$2'"; return 1; }
}
ini_value() { tr -d '\r' < "$app/korvana.ini" | sed -n "s/^$1=//p" | head -1; }
wall_is() { test "$(ini_value Wall)" = "$1"; }
rect_is() { test "$(probe window-rect KorGraph)" = "$1"; }
# wait_for SECONDS COMMAND...: retries COMMAND every 0.2 s (a function, so
# that what it tests is read anew each time).
wait_for() {
  local tries=$(($1 * 5))
  shift
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.2
  done
}

# --- A display of the size the comparisons want, whatever DISPLAY says. ---
xvfb_pid=""
for n in $(seq 141 190); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
done
Xvfb ":$n" -screen 0 "${W}x${H}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 1 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

xinetd_pid=""
cleanup() {
  [ -n "$xinetd_pid" ] && kill "$xinetd_pid" 2>/dev/null
  wine_env_stop
  kill "$xvfb_pid" 2>/dev/null
}
wine_env_start
trap cleanup EXIT

app="$KORVANA_WINE_TMP/app"
work="$KORVANA_WINE_TMP/work"
mkdir -p "$app" "$work"
cp "$build/src/korvana.exe" "$build/src/korvana-cli.exe" "$app/"
cd "$app"
# Istanbul at a fixed offset; no alert sounds; both sections hold keys, so no
# first-run dialogs. The time servers are all the local one (xinetd answers
# only some of the requests it gets).
{
  printf '[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=2897\r\nTime Zone=180\r\n'
  printf 'City Name=Istanbul\r\nCountry Name=Turkey\r\n'
  printf '[Options]\r\nAdhan/Salawaat=No\r\nmessages=0\r\n'
  printf '[Time Servers]\r\nHostTimeout=1000\r\nHost0=\r\n'
  for i in 1 2 3 4 5 6 7 8; do printf 'Host%d=127.0.0.1\r\n' "$i"; done
} > korvana.ini

start_korvana() {
  wine korvana.exe 2>>"$work/korvana.log" &
  korvana_pid=$!
  [ -n "$(probe wait-window Korvana 20000)" ] && wait_for 20 probe wait-window KorGraph 100
}
stop_korvana() {
  probe command Korvana 1069
  probe wait-gone Korvana 15000 || return 1
  local code
  wait "$korvana_pid"
  code=$?
  [ "$code" -eq 0 ] || { echo "  exit code $code"; return 1; }
}

# ===== Wallpaper =====
desktop_key='HKCU\Control Panel\Desktop'
# The user's own desktop values; one of the two the program sets exists
# beforehand, the other does not.
wine reg add "$desktop_key" /v TileWallpaper /d 1 /f >/dev/null 2>&1
wine reg delete "$desktop_key" /v WallPaperStyle /f >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
desktop_values() { wine reg query "$desktop_key" 2>/dev/null | tr -d '\r' | grep -v '^$'; }
desktop_before=$(desktop_values)
colour_before=$(probe sys-colour 1)  # COLOR_BACKGROUND
# The picture the system was last asked to show, as Wine keeps it for the
# session.
session_desktop='HKCU\Software\Wine\Temporary System Parameters\Control Panel\Desktop'
shown_wallpaper() {
  wine reg query "$session_desktop" /v Wallpaper 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Wallpaper *REG_SZ *//p'
}
wall_path=$(winpath "$app/wall.bmp")

check "the program starts with its graph window" start_korvana
graph_hidden_at_start() { expect "0 0 0 0 hidden" "$(probe window-rect KorGraph)"; }
check "the graph window exists hidden and empty at start" graph_hidden_at_start

wallpaper_on() {  # wallpaper_on COMMAND WORD
  probe command Korvana "$1"
  wait_for 10 wall_is "$2" || { echo "  Wall=$(ini_value Wall)"; return 1; }
  probe sync Korvana 20000
  expect "0 0 0" "$(probe sys-colour 1)" || return 1
  expect "$wall_path" "$(shown_wallpaper)" || return 1
  [ ! -e wall.bmp ] || { echo "  wall.bmp left behind"; return 1; }
  expect "$desktop_before" "$(desktop_values)"
}
check "Earth: the picture becomes the wallpaper on black, Wall=Earth, desktop values kept" \
  wallpaper_on 1047 Earth
check "Globe after Earth: Wall=Globe" wallpaper_on 1048 Globe
wallpaper_off() {  # wallpaper_off COMMAND
  probe command Korvana "$1"
  wait_for 10 wall_is None || { echo "  Wall=$(ini_value Wall)"; return 1; }
  probe sync Korvana 20000
  expect "$colour_before" "$(probe sys-colour 1)" || return 1
  expect "$desktop_before" "$(desktop_values)"
}
check "Globe again switches off: Wall=None, the colour from before Earth, desktop values kept" \
  wallpaper_off 1048
check "Moon: the picture becomes the wallpaper, Wall=Moon" wallpaper_on 1046 Moon
exit_restores() {
  stop_korvana || return 1
  expect Moon "$(ini_value Wall)" || return 1
  expect "$colour_before" "$(probe sys-colour 1)" || return 1
  wine reg delete "$session_desktop" /v Wallpaper /f >/dev/null 2>&1  # seen anew at start
}
check "exit with the moon on restores the desktop colour and keeps Wall=Moon" exit_restores
replayed() {
  start_korvana || return 1
  probe sync Korvana 20000
  expect "0 0 0" "$(probe sys-colour 1)" || return 1
  expect "$wall_path" "$(shown_wallpaper)"
}
check "Wall=Moon is replayed at start-up" replayed
check "Moon again switches the replayed wallpaper off" wallpaper_off 1046

# ===== The moment of the pictures: Real-time off =====
set_moment() {
  local calc="Calculation Parameters"
  probe command Korvana 1040
  probe wait-dialog "$calc" 10000 >/dev/null || return 1
  [ "$(probe checked "$calc" 1117)" = 0 ] || probe click "$calc" 1117
  sleep 0.3
  expect 0 "$(probe checked "$calc" 1117)" || return 1
  probe set-text "$calc" 1113 "$DAY"
  probe set-text "$calc" 1114 "$TIME"
  probe click "$calc" 1
  probe dialog-gone "$calc" 5000 || return 1
  sleep 2  # the next tick's full check takes the moment
}
check "Real-time off at $DAY $TIME" set_moment

# ===== Graphics =====
screen_rect="0 0 $W $H visible"
client=""
# show NAME COMMAND: the graphic covers the screen; its screenshot is saved.
show() {
  local name=$1 command=$2
  probe command Korvana "$command"
  wait_for 30 rect_is "$screen_rect" ||
    { echo "  graph window: $(probe window-rect KorGraph)"; return 1; }
  probe sync KorGraph 120000 || return 1  # drawn to the end
  sleep 0.5
  shoot "$name"
}
shoot() {  # shoot NAME: the screen into NAME.bmp (and a PNG to look at)
  probe screenshot "$(winpath "$work/$1.bmp")" || return 1
  convert "$work/$1.bmp" "$shots/$1.png" 2>/dev/null || echo "  (no PNG of $1)"
  client=$(probe client-rect KorGraph)
}
# settled NAME DIFF_ARGUMENTS...: compares the screenshot NAME; a display
# still catching up with the window gets two more looks.
settled() {
  local name=$1 attempt
  shift
  for attempt in 1 2 3; do
    diff_pictures "$@" && return 0
    [ "$attempt" -lt 3 ] || return 1
    sleep 1
    shoot "$name" || return 1
  done
}
hidden() { wait_for 5 rect_is "0 0 $W $H hidden"; }
hide_by_key() { probe key KorGraph 32 && hidden; }
hide_by_click() { probe mouse KorGraph left && hidden; }
# Text positions of the drawings, masked because the fonts differ: a box
# from (x, y) wide enough for `chars` characters of either font.
text_box() {  # text_box X Y CHARS
  echo "$(($1 - 4)) $(($2 - 6)) $(($1 + 20 * $3 + 4)) $(($2 + 26))"
}
trunc() { awk "BEGIN { printf \"%d\", $1 }"; }

graphic_near() {  # graphic_near NAME COMMAND CLI_KIND MASK...
  local name=$1 command=$2 kind=$3
  shift 3
  show "$name" "$command" || return 1
  cli graph "$kind" --date "$ISO_DAY" --time "$TIME" --size "${W}x${H}" \
    --out "$(winpath "$work/$name-cli.bmp")" >/dev/null || { echo "  no console picture"; return 1; }
  settled "$name" near "$(winpath "$work/$name.bmp")" $client "$(winpath "$work/$name-cli.bmp")" \
    "$NEAR_RADIUS" "$STRAY_PIXELS" "$@"
}
# stretch_same NAME COMMAND CLI_COMMAND CLI_KIND DX DY DW DH: the console
# picture stretched onto that rectangle of the screen, pixel for pixel. It is
# stretched by this platform's StretchBlt, as the program's is: at scales
# other than whole numbers the console's own nearest-pixel stretch picks
# other source rows and columns than Wine's.
stretch_same() {
  local name=$1 command=$2 cliCommand=$3 kind=$4
  shift 4
  show "$name" "$command" || return 1
  [ ! -e wall.bmp ] || { echo "  wall.bmp left behind"; return 1; }
  cli "$cliCommand" "$kind" --date "$ISO_DAY" --time "$TIME" \
    --out "$(winpath "$work/$name-cli.bmp")" >/dev/null || { echo "  no console picture"; return 1; }
  settled "$name" stretch "$(winpath "$work/$name.bmp")" $client "$W" "$H" \
    "$(winpath "$work/$name-cli.bmp")" "$@"
}

angles_masks="$(for f in 0.42 0.47 0.52 0.57 0.62 0.67; do
  text_box "$(trunc "0.12 * $W")" "$(trunc "$f * $H - 7")" 7; done)"
titles_y=$(trunc "0.55 * $H - 0.2 * $W - 50")
angles_masks="$angles_masks $(text_box "$(trunc "0.25 * $W")" "$titles_y" 9)"
angles_masks="$angles_masks $(text_box "$(trunc "0.75 * $W - 50")" "$titles_y" 7)"
# shellcheck disable=SC2086
check "Angles covers the screen and matches the console's drawing" \
  graphic_near angles 1031 angles $angles_masks
check "a right click leaves the graph window on screen" \
  eval 'probe mouse KorGraph right; sleep 1; test "$(probe window-rect KorGraph)" = "$screen_rect"'
check "a key press hides the graph window" hide_by_key

# The full check draws the graphic on screen again, and only that.
redrawn_by_full_check() {
  probe command Korvana 1031
  wait_for 30 rect_is "$screen_rect" || return 1
  probe sync KorGraph 20000
  probe hide KorGraph  # hidden without a key: the graphic is still the last one
  hidden || return 1
  probe post Korvana 0x007E 24 $((W | H << 16))  # WM_DISPLAYCHANGE: a full check
  wait_for 10 rect_is "$screen_rect"
}
check "the next full check draws the graphic on screen again" redrawn_by_full_check
nothing_after_key() {
  hide_by_key || return 1
  probe post Korvana 0x007E 24 $((W | H << 16))
  sleep 3
  expect "0 0 $W $H hidden" "$(probe window-rect KorGraph)"
}
check "after a key press the next full check draws nothing" nothing_after_key
display_change_size() {
  probe post KorGraph 0x007E 24 $((800 | 600 << 16))
  probe command Korvana 1031
  wait_for 30 rect_is "0 0 800 600 visible" ||
    { echo "  graph window: $(probe window-rect KorGraph)"; return 1; }
  probe sync KorGraph 20000
  probe key KorGraph 32
  probe post KorGraph 0x007E 24 $((W | H << 16))
  probe sync KorGraph 20000
}
check "a display change gives the next graphic the new size" display_change_size

# shellcheck disable=SC2046
check "Trajectories covers the screen and matches the console's drawing" \
  graphic_near trajectories 1032 trajectories \
  $(text_box "$(trunc "2.5 * $W / 3")" $((H / 2 - 7)) 5)
check "a left click hides the graph window" hide_by_click

side=$((2 * (W < H ? W : H) / 3))
square="$(((W - side) / 2)) $(((H - side) / 2)) $side $side"
# shellcheck disable=SC2086
check "Moon View: the console's moon, centred, pixel for pixel; wall.bmp deleted" \
  stretch_same moon_view 1033 render moon $square
hide_by_key >/dev/null
check "Earth View: the console's earth over the screen, pixel for pixel" \
  stretch_same earth_view 1034 render earth 0 0 "$W" "$H"
hide_by_key >/dev/null
# shellcheck disable=SC2086
check "Globe View: the console's globe, centred, pixel for pixel" \
  stretch_same globe_view 1035 render globe $square
hide_by_key >/dev/null
for map in prayer:1036 qibla:1037 declination:1038; do
  check "${map%%:*} map: the console's map over the screen, pixel for pixel" \
    stretch_same "${map%%:*}_map" "${map##*:}" map "${map%%:*}" 0 0 "$W" "$H"
  hide_by_key >/dev/null
done
# The month and hour numbers stand left of and below the plot.
check "Annual Prayer Graph covers the screen and matches the console's drawing" \
  graphic_near annual 1039 annual 0 0 "$(trunc "0.1 * $W")" "$H" \
  0 $(($(trunc "0.92 * $H") - 6)) "$W" "$H"
check "a key press hides the annual graph" hide_by_key

# ===== Reports =====
report_same() {  # report_same COMMAND KIND
  rm -f korvana.txt
  probe command Korvana "$1"
  wait_for 30 test -s korvana.txt || { echo "  no korvana.txt"; return 1; }
  probe sync Korvana 20000
  cli report "$2" --date "$ISO_DAY" --out "$(winpath "$work/$2.txt")" >/dev/null
  cmp korvana.txt "$work/$2.txt"
}
check "Monthly Prayer Times writes korvana.txt as the console does" report_same 1028 month
check "Yearly Prayer Times writes korvana.txt as the console does" report_same 1029 year
check "Holy Days writes korvana.txt as the console does" report_same 1030 holydays

# ===== NetTime against xinetd's time service on 127.0.0.1:37 =====
start_time_service() {
  command -v xinetd >/dev/null || { echo "  xinetd is missing (Debian package xinetd)"; return 1; }
  {
    echo "service time"
    echo "{"
    echo "  type        = INTERNAL UNLISTED"
    echo "  id          = time-dgram"
    echo "  socket_type = dgram"
    echo "  protocol    = udp"
    echo "  wait        = yes"
    echo "  user        = root"
    echo "  bind        = 127.0.0.1"
    echo "  port        = 37"
    echo "}"
  } > "$work/xinetd.conf"
  : > "$work/xinetd.log"
  xinetd -dontfork -f "$work/xinetd.conf" -filelog "$work/xinetd.log" \
    -pidfile "$work/xinetd.pid" >/dev/null 2>&1 &
  xinetd_pid=$!
  wait_for 10 grep -q "Started working: 1 available service" "$work/xinetd.log" ||
    { echo "  xinetd did not start its time service on port 37:"; cat "$work/xinetd.log"; return 1; }
}
# The answer to a report box: No to a drift question (the clock is never set
# here), OK otherwise.
answer_report() {
  local caption=$1 text=$2
  case "$text" in
    *"Do you want to fix it"*) probe click "$caption" 7 ;;
    *) probe click "$caption" 1 ;;
  esac
}
nettime_drift() {
  start_time_service || return 1
  probe command Korvana 1041
  local caption="Host Address : 127.0.0.1" text
  text=$(probe message-text "$caption" 30000)
  [ -n "$text" ] || { echo "  no report box"; return 1; }
  probe screenshot "$(winpath "$work/nettime.bmp")" &&
    convert "$work/nettime.bmp" "$shots/nettime.png" 2>/dev/null
  answer_report "$caption" "$text"
  probe dialog-gone "$caption" 5000 || return 1
  echo "$text" | sed 's/^/  | /'
  case "$text" in
    *"Net Time :  "*"PC  Time :  "*) ;;
    *) echo "  no time lines"; return 1 ;;
  esac
  case "$text" in
    *"needs no correction"* | *"seconds drift !"*) ;;
    *) echo "  no drift line"; return 1 ;;
  esac
}
check "NetTime asks the local time service and reports the drift" nettime_drift
nettime_silence() {
  kill "$xinetd_pid" 2>/dev/null
  wait "$xinetd_pid" 2>/dev/null
  xinetd_pid=""
  probe command Korvana 1041
  expect "No response from any server !" "$(probe message-text NetTime 60000)" || return 1
  probe click NetTime 1
  probe dialog-gone NetTime 5000
}
check "NetTime without an answering server says so" nettime_silence

# ===== MP3 to WAV =====
open_title="Select MP3 file to be converted"
name_field=1148  # the file name box of the common dialogs
name_is() { test "$(probe get-text "WAV file" "$name_field")" = "$1"; }
cp "$data/mp3/mpeg1_joint_128k_44100.mp3" "$app/in.mp3"
convert_mp3() {
  probe command Korvana 1068
  probe wait-dialog "$open_title" 10000 >/dev/null || return 1
  probe set-text "$open_title" "$name_field" "$(winpath "$app/in.mp3")"
  probe click "$open_title" 1
  probe wait-dialog "WAV file" 10000 >/dev/null || return 1
  expect in.wav "$(probe get-text "WAV file" "$name_field")" || return 1
  # The input itself, in other letters: the system asks to replace it,
  # then the program refuses and the save dialog opens again.
  probe set-text "WAV file" "$name_field" "$(winpath "$app/IN.MP3")"
  probe click "WAV file" 1
  wait_for 10 probe click "WAV file" 6 || { echo "  no replace question"; return 1; }
  expect "INPUT & OUTPUT files must be different..." \
    "$(probe message-text "Error Opening Output File" 10000)" || return 1
  probe close-message "Error Opening Output File"
  wait_for 10 name_is in.wav ||
    { echo "  the save dialog did not open again"; return 1; }
  cmp -s in.mp3 "$data/mp3/mpeg1_joint_128k_44100.mp3" || { echo "  the input changed"; return 1; }
  probe set-text "WAV file" "$name_field" out.wav
  probe click "WAV file" 1
  probe dialog-gone "WAV file" 10000 || return 1
  wait_for 10 test -s out.wav || return 1
  probe sync Korvana 20000
  cli mp3towav "$(winpath "$app/in.mp3")" "$(winpath "$work/cli.wav")" >/dev/null
  cmp out.wav "$work/cli.wav" && expect $(($(stat -c %s in.mp3) + 70)) "$(stat -c %s out.wav)"
}
check "MP3 to WAV refuses the input as output, then writes what the console writes" convert_mp3
not_mp3() {
  printf 'ID3\003\000\000\000\000\000\000not a frame' > "$app/tagged.mp3"
  probe command Korvana 1068
  probe wait-dialog "$open_title" 10000 >/dev/null || return 1
  probe set-text "$open_title" "$name_field" "$(winpath "$app/tagged.mp3")"
  probe click "$open_title" 1
  probe wait-dialog "WAV file" 10000 >/dev/null || return 1
  probe click "WAV file" 1
  expect "Invalid MP3 format" "$(probe message-text MP3toWAV 10000)" || return 1
  probe close-message MP3toWAV
  probe dialog-gone MP3toWAV 5000 || return 1
  [ ! -e tagged.wav ] || { echo "  tagged.wav written"; return 1; }
}
check "MP3 to WAV refuses a file that starts with a tag block" not_mp3

check "the program exits with code 0" stop_korvana

echo "e2e-graphics: $passed passed, $failed failed (screenshots in $shots)"
[ "$failed" -eq 0 ]
